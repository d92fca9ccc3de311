<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
</context>
</TS>
