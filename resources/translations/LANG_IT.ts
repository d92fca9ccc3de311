<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
</context>
</TS>
