<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>健康状况警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>磁盘健康状况正在下降，可能导致永久性损坏。为避免数据丢失，请为即将出现故障的存储磁盘创建克隆。</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>不再显示</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>要从即将出现故障的磁盘恢复数据，请单击“恢复数据”按钮。</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>克隆磁盘</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>恢复数据</translation>
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
        <translation>忽略</translation>
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
        <translation>性能警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>磁盘性能正在下降，可能导致永久性损坏。为避免数据丢失，请为该存储磁盘创建克隆。</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>不再显示</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>要从即将出现故障的磁盘恢复数据，请单击“恢复数据”按钮。</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>克隆磁盘</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>恢复数据</translation>
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
        <translation>忽略</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>温度: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>健康状况: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>性能: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>分区: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>停止 S.M.A.R.T 监控</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>打开 Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>磁盘: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>无法读取磁盘：临时文件夹不可用。</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>读取磁盘需要管理员权限。</translation>
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
        <translation>存储磁盘的温度已达到关机温度。为避免永久性损坏，请立即关闭系统。</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>关机警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>关机警告</translation>
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
        <translation>忽略</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>关机</translation>
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
        <translation>存储磁盘的温度已超过设定的阈值。为避免永久性损坏，建议关闭系统。</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>SMART 警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>不再显示</translation>
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
        <translation>忽略</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>关机</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>窗体</translation>
    </message>
</context>
</TS>
