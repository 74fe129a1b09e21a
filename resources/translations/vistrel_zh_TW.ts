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
</context>
</TS>
