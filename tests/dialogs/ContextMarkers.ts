<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>SmartWarning</name>
    <message>
        <source>SMART Warning</source>
        <translation>SmartWarning: SMART Warning</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>SmartWarning: Warning</translation>
    </message>
    <message>
        <source>Don't show this again</source>
        <translation>SmartWarning: Don't show this again</translation>
    </message>
</context>
<context>
    <name>SmartWarningDialog</name>
    <message>
        <source>Ignore</source>
        <translation>SmartWarningDialog: Ignore</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>SmartWarningDialog: Shut Down</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>SmartWarningDialog: Corvane Drive Monitor</translation>
    </message>
</context>
<context>
    <name>ShutDownWarning</name>
    <message>
        <source>Shutdown Warning</source>
        <translation>ShutDownWarning: Shutdown Warning</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>ShutDownWarning: Corvane Drive Monitor</translation>
    </message>
</context>
<context>
    <name>SmartShutdownDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>SmartShutdownDialog: Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>SmartShutdownDialog: Ignore</translation>
    </message>
</context>
<context>
    <name>HealthWarning</name>
    <message>
        <source>Health Warning</source>
        <translation>HealthWarning: Health Warning</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>HealthWarning: Clone Disk</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>HealthWarning: Recover Data</translation>
    </message>
</context>
<context>
    <name>HealthWarningDialog</name>
    <message>
        <source>Ignore</source>
        <translation>HealthWarningDialog: Ignore</translation>
    </message>
</context>
<context>
    <name>PerformanceWarning</name>
    <message>
        <source>Performance Warning</source>
        <translation>PerformanceWarning: Performance Warning</translation>
    </message>
</context>
<context>
    <name>PerformanceWarningDialog</name>
    <message>
        <source>Ignore</source>
        <translation>PerformanceWarningDialog: Ignore</translation>
    </message>
</context>
</TS>
