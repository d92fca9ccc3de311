<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko_KR">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>건강 상태 경고</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>드라이브의 건강 상태가 나빠지고 있어 영구적인 손상으로 이어질 수 있습니다. 데이터 손실을 방지하려면 고장 징후가 있는 저장 드라이브의 복제본을 만드세요.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>다시 표시 안 함</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>드라이브의 데이터를 복구하려면 &apos;데이터&#xa0;복구&apos; 버튼을 클릭하세요.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>드라이브 복제</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>데이터 복구</translation>
    </message>
</context>
<context>
    <name>HealthWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>무시</translation>
    </message>
</context>
<context>
    <name>PerformanceWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Performance Warning</source>
        <translation>성능 경고</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>드라이브의 성능이 저하되고 있어 영구적인 손상으로 이어질 수 있습니다. 데이터 손실을 방지하려면 저장 드라이브의 복제본을 만드세요.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>다시 표시 안 함</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>드라이브의 데이터를 복구하려면 &apos;데이터&#xa0;복구&apos; 버튼을 클릭하세요.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>드라이브 복제</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>데이터 복구</translation>
    </message>
</context>
<context>
    <name>PerformanceWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>무시</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>종료</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>온도: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>건강 상태: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>성능: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>파티션: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>S.M.A.R.T 모니터링 중지</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor 열기</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>드라이브: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>드라이브를 읽을 수 없음: 임시 폴더를 사용할 수 없습니다.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>드라이브를 읽으려면 관리자 권한이 필요합니다.</translation>
    </message>
</context>
<context>
    <name>ShutDownWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Temperature of your storage drive has reached the shut down value.To avoid any permanent damage, shutdown the system immediately.</source>
        <translation>저장 드라이브의 온도가 시스템 종료 온도에 도달했습니다. 영구적인 손상을 방지하려면 즉시 시스템을 종료하세요.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>시스템 종료 경고</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>시스템 종료 경고</translation>
    </message>
</context>
<context>
    <name>SmartShutdownDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>무시</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>시스템 종료</translation>
    </message>
</context>
<context>
    <name>SmartWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Temperature of your storage drive has exceeded the set threshold value.To avoid any permanent damage, it is recommended to shutdown the system.</source>
        <translation>저장 드라이브의 온도가 설정된 임계값을 초과했습니다. 영구적인 손상을 방지하려면 시스템을 종료하는 것이 좋습니다.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>SMART 경고</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>경고</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>다시 표시 안 함</translation>
    </message>
</context>
<context>
    <name>SmartWarningDialog</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>무시</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>시스템 종료</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>폼</translation>
    </message>
</context>
</TS>
