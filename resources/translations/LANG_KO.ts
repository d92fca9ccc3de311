<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
</context>
</TS>
