<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Alerta de saúde</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Atenção</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>A saúde do disco está piorando e pode causar danos permanentes. Para evitar a perda de dados, crie um clone do disco de armazenamento com falha.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Não mostrar novamente</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Para recuperar dados do disco com falha, clique no botão “Recuperar&#xa0;dados”.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clonar disco</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recuperar dados</translation>
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
        <translation>Ignorar</translation>
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
        <translation>Alerta de desempenho</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Atenção</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>O desempenho do disco está piorando e pode causar danos permanentes. Para evitar a perda de dados, crie um clone do disco de armazenamento.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Não mostrar novamente</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Para recuperar dados do disco com falha, clique no botão “Recuperar&#xa0;dados”.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clonar disco</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recuperar dados</translation>
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
        <translation>Ignorar</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Sair</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperatura: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Saúde: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Desempenho: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Partições: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>Parar o monitoramento S.M.A.R.T</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Abrir o Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>Disco: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>Discos não lidos: pasta temporária inutilizável.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Ler os discos requer direitos de administrador.</translation>
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
        <translation>A temperatura do seu disco de armazenamento atingiu o valor de desligamento. Para evitar danos permanentes, desligue o sistema imediatamente.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Alerta de desligamento</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Atenção</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Alerta de desligamento</translation>
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
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Desligar</translation>
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
        <translation>A temperatura do seu disco de armazenamento ultrapassou o limite definido. Para evitar danos permanentes, é recomendável desligar o sistema.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>Alerta SMART</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Atenção</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Não mostrar novamente</translation>
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
        <translation>Ignorar</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Desligar</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Formulário</translation>
    </message>
</context>
</TS>
