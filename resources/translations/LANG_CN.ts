<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
</context>
</TS>
