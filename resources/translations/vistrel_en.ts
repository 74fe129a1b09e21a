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
</context>
</TS>
