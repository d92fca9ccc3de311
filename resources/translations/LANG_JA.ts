<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
</context>
</TS>
