<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name></name>
    <message id="No_Devices">
        <extracomment>未找到裝置</extracomment>
        <source>No camera found</source>
        <translation>No camera found</translation>
    </message>
    <message id="About_This_App">
        <extracomment>關於</extracomment>
        <source>About Vistrel Utility</source>
        <translation>About Vistrel Utility</translation>
    </message>
    <message id="Quit_App">
        <extracomment>結束程式</extracomment>
        <source>Quit Vistrel Utility</source>
        <translation>Quit Vistrel Utility</translation>
    </message>
    <message id="Permission_Denied.Title">
        <source>No access to the camera</source>
        <translation>No access to the camera</translation>
    </message>
    <message id="Permission_Denied.Message">
        <source>Vistrel Utility cannot open the camera&apos;s video device. Make sure your user account may use video devices (on most systems by being a member of the &quot;video&quot; group), then start Vistrel Utility again.</source>
        <translation>Vistrel Utility cannot open the camera&apos;s video device. Make sure your user account may use video devices (on most systems by being a member of the &quot;video&quot; group), then start Vistrel Utility again.</translation>
    </message>
    <message id="Open_System_Preferences">
        <source>Open Settings</source>
        <translation>Open Settings</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="Unsupported_Option">
        <extracomment>不支援</extracomment>
        <source>The camera does not support this option.</source>
        <translation>The camera does not support this option.</translation>
    </message>
    <message id="Create_Input_Failed">
        <source>The camera&apos;s picture cannot be opened for the preview.</source>
        <translation>The camera&apos;s picture cannot be opened for the preview.</translation>
    </message>
    <message id="Tab_Image">
        <source>Image</source>
        <translation>Image</translation>
    </message>
    <message id="Tab_Exposure">
        <source>Exposure</source>
        <translation>Exposure</translation>
    </message>
    <message id="Tab_More">
        <source>More</source>
        <translation>More</translation>
    </message>
    <message id="Tab_Button">
        <source>Button</source>
        <translation>Button</translation>
    </message>
    <message id="Brightness">
        <source>Brightness</source>
        <translation>Brightness</translation>
    </message>
    <message id="Contrast">
        <source>Contrast</source>
        <translation>Contrast</translation>
    </message>
    <message id="Sharpness">
        <source>Sharpness</source>
        <translation>Sharpness</translation>
    </message>
    <message id="Saturation">
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message id="Gamma">
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message id="Hue">
        <source>Hue</source>
        <translation>Hue</translation>
    </message>
    <message id="Auto_White_Balance">
        <source>Automatic white balance</source>
        <translation>Automatic white balance</translation>
    </message>
    <message id="White_Balance">
        <source>White balance</source>
        <translation>White balance</translation>
    </message>
    <message id="Exposure_Mode">
        <source>Exposure mode</source>
        <translation>Exposure mode</translation>
    </message>
    <message id="Exposure_Manual">
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message id="Exposure_Auto">
        <source>Auto</source>
        <translation>Auto</translation>
    </message>
    <message id="Exposure_Shutter_Priority">
        <source>Shutter Priority</source>
        <translation>Shutter Priority</translation>
    </message>
    <message id="Exposure_Aperture_Priority">
        <source>Aperture Priority</source>
        <translation>Aperture Priority</translation>
    </message>
    <message id="Exposure_Time">
        <source>Exposure time</source>
        <translation>Exposure time</translation>
    </message>
    <message id="Gain">
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message id="Zoom">
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message id="Pan">
        <source>Pan</source>
        <translation>Pan</translation>
    </message>
    <message id="Tilt">
        <source>Tilt</source>
        <translation>Tilt</translation>
    </message>
    <message id="Focal_Length">
        <source>Focal length</source>
        <translation>Focal length</translation>
    </message>
    <message id="Backlight_Compensation">
        <source>Backlight</source>
        <translation>Backlight</translation>
    </message>
    <message id="Off">
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message id="On">
        <source>On</source>
        <translation>On</translation>
    </message>
    <message id="Power_Line_Frequency">
        <source>Power line</source>
        <translation>Power line</translation>
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
        <translation>Automatic focus</translation>
    </message>
    <message id="Keystroke_Profile">
        <source>Keystroke profile</source>
        <translation>Keystroke profile</translation>
    </message>
    <message id="Keystroke_Delay_Option">
        <source>Wait 0.9 s before sending the keystrokes</source>
        <translation>Wait 0.9 s before sending the keystrokes</translation>
    </message>
    <message id="Keystroke_Hint">
        <source>A press of the camera&#x27;s button sends the keystrokes of this profile to the program in front.</source>
        <translation>A press of the camera&#x27;s button sends the keystrokes of this profile to the program in front.</translation>
    </message>
    <message id="Reset">
        <source>Reset</source>
        <translation>Reset</translation>
    </message>
    <message id="Reset_Tooltip">
        <source>Set every control back to the camera&#x27;s default</source>
        <translation>Set every control back to the camera&#x27;s default</translation>
    </message>
    <message id="Preview_Tooltip">
        <source>Show or hide the live picture</source>
        <translation>Show or hide the live picture</translation>
    </message>
    <message id="About_Description">
        <source>Camera controls and capture button for the VISTREL dental camera.</source>
        <translation>Camera controls and capture button for the VISTREL dental camera.</translation>
    </message>
</context>
</TS>
