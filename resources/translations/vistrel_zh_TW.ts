<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="en">
<context>
    <name></name>
    <message id="No_Devices">
        <extracomment>未找到裝置</extracomment>
        <source>No camera found</source>
        <translation>未找到裝置</translation>
    </message>
    <message id="About_This_App">
        <extracomment>關於</extracomment>
        <source>About Vistrel Utility</source>
        <translation>關於 Vistrel Utility</translation>
    </message>
    <message id="Quit_App">
        <extracomment>結束程式</extracomment>
        <source>Quit Vistrel Utility</source>
        <translation>結束 Vistrel Utility</translation>
    </message>
    <message id="Permission_Denied.Title">
        <source>No access to the camera</source>
        <translation>無法存取相機</translation>
    </message>
    <message id="Permission_Denied.Message">
        <source>Vistrel Utility cannot open the camera&apos;s video device. Make sure your user account may use video devices (on most systems by being a member of the &quot;video&quot; group), then start Vistrel Utility again.</source>
        <translation>Vistrel Utility 無法開啟相機的視訊裝置。請確認您的使用者帳號可以使用視訊裝置（在大多數系統上須為「video」群組的成員），然後重新啟動 Vistrel Utility。</translation>
    </message>
    <message id="Open_System_Preferences">
        <source>Open Settings</source>
        <translation>開啟設定</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <translation>確定</translation>
    </message>
    <message id="Unsupported_Option">
        <extracomment>不支援</extracomment>
        <source>The camera does not support this option.</source>
        <translation>相機不支援此選項。</translation>
    </message>
    <message id="Create_Input_Failed">
        <source>The camera&apos;s picture cannot be opened for the preview.</source>
        <translation>無法開啟相機畫面以進行預覽。</translation>
    </message>
    <message id="Tab_Image">
        <source>Image</source>
        <translation>影像</translation>
    </message>
    <message id="Tab_Exposure">
        <source>Exposure</source>
        <translation>曝光</translation>
    </message>
    <message id="Tab_More">
        <source>More</source>
        <translation>更多</translation>
    </message>
    <message id="Tab_Button">
        <source>Button</source>
        <translation>按鈕</translation>
    </message>
    <message id="Brightness">
        <source>Brightness</source>
        <translation>亮度</translation>
    </message>
    <message id="Contrast">
        <source>Contrast</source>
        <translation>對比</translation>
    </message>
    <message id="Sharpness">
        <source>Sharpness</source>
        <translation>銳利度</translation>
    </message>
    <message id="Saturation">
        <source>Saturation</source>
        <translation>飽和度</translation>
    </message>
    <message id="Gamma">
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message id="Hue">
        <source>Hue</source>
        <translation>色調</translation>
    </message>
    <message id="Auto_White_Balance">
        <source>Automatic white balance</source>
        <translation>自動白平衡</translation>
    </message>
    <message id="White_Balance">
        <source>White balance</source>
        <translation>白平衡</translation>
    </message>
    <message id="Exposure_Mode">
        <source>Exposure mode</source>
        <translation>曝光模式</translation>
    </message>
    <message id="Exposure_Manual">
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message id="Exposure_Auto">
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message id="Exposure_Shutter_Priority">
        <source>Shutter Priority</source>
        <translation>快門優先</translation>
    </message>
    <message id="Exposure_Aperture_Priority">
        <source>Aperture Priority</source>
        <translation>光圈優先</translation>
    </message>
    <message id="Exposure_Time">
        <source>Exposure time</source>
        <translation>曝光時間</translation>
    </message>
    <message id="Gain">
        <source>Gain</source>
        <translation>增益</translation>
    </message>
    <message id="Zoom">
        <source>Zoom</source>
        <translation>縮放</translation>
    </message>
    <message id="Pan">
        <source>Pan</source>
        <translation>水平轉動</translation>
    </message>
    <message id="Tilt">
        <source>Tilt</source>
        <translation>垂直轉動</translation>
    </message>
    <message id="Focal_Length">
        <source>Focal length</source>
        <translation>焦距</translation>
    </message>
    <message id="Backlight_Compensation">
        <source>Backlight</source>
        <translation>背光補償</translation>
    </message>
    <message id="Off">
        <source>Off</source>
        <translation>關</translation>
    </message>
    <message id="On">
        <source>On</source>
        <translation>開</translation>
    </message>
    <message id="Power_Line_Frequency">
        <source>Power line</source>
        <translation>電源頻率</translation>
    </message>
    <message id="Frequency_50">
        <source>50 Hz</source>
        <translation>50 Hz</translation>
    </message>
    <message id="Frequency_60">
        <source>60 Hz</source>
        <translation>60 Hz</translation>
    </message>
    <message id="Auto_Focus">
        <source>Automatic focus</source>
        <translation>自動對焦</translation>
    </message>
    <message id="Keystroke_Profile">
        <source>Keystroke profile</source>
        <translation>按鍵設定</translation>
    </message>
    <message id="Keystroke_Delay_Option">
        <source>Wait 0.9 s before sending the keystrokes</source>
        <translation>送出按鍵前等待 0.9 秒</translation>
    </message>
    <message id="Keystroke_Hint">
        <source>A press of the camera&#x27;s button sends the keystrokes of this profile to the program in front.</source>
        <translation>按下相機按鈕時，會將此設定的按鍵送到前景的程式。</translation>
    </message>
    <message id="Reset">
        <source>Reset</source>
        <translation>重設</translation>
    </message>
    <message id="Reset_Tooltip">
        <source>Set every control back to the camera&#x27;s default</source>
        <translation>將所有控制項恢復為相機的預設值</translation>
    </message>
    <message id="Preview_Tooltip">
        <source>Show or hide the live picture</source>
        <translation>顯示或隱藏即時畫面</translation>
    </message>
    <message id="About_Description">
        <source>Camera controls and capture button for the VISTREL dental camera.</source>
        <translation>VISTREL 牙科相機的影像控制與拍攝按鈕。</translation>
    </message>
</context>
</TS>
