<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi_IN">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
</context>
</TS>
