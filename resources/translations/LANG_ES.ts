<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Aviso de salud</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>La salud del disco está empeorando y puede provocar daños permanentes. Para evitar la pérdida de datos, cree un clon del disco de almacenamiento defectuoso.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>No volver a mostrar</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Para recuperar datos del disco defectuoso, haga clic en el botón «Recuperar&#xa0;datos».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clonar disco</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recuperar datos</translation>
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
        <translation>Aviso de rendimiento</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>El rendimiento del disco está empeorando y puede provocar daños permanentes. Para evitar la pérdida de datos, cree un clon del disco de almacenamiento.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>No volver a mostrar</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Para recuperar datos del disco defectuoso, haga clic en el botón «Recuperar&#xa0;datos».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clonar disco</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recuperar datos</translation>
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
        <translation>Salir</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperatura: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Salud: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Rendimiento: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Particiones: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>Detener la supervisión S.M.A.R.T</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Abrir Corvane Drive Monitor</translation>
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
        <translation>Unidades no leídas: carpeta temporal inutilizable.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Leer unidades requiere derechos de administrador.</translation>
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
        <translation>La temperatura de su disco de almacenamiento ha alcanzado el valor de apagado. Para evitar daños permanentes, apague el sistema de inmediato.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Aviso de apagado</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Aviso de apagado</translation>
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
        <translation>Apagar</translation>
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
        <translation>La temperatura de su disco de almacenamiento ha superado el umbral establecido. Para evitar daños permanentes, se recomienda apagar el sistema.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>Aviso SMART</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Aviso</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>No volver a mostrar</translation>
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
        <translation>Apagar</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
</context>
</TS>
