<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Avviso sullo stato di salute</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>Lo stato di salute dell&apos;unità sta peggiorando e può causare danni permanenti. Per evitare la perdita di dati, crea un clone dell&apos;unità di archiviazione difettosa.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Non mostrare più</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Per recuperare i dati dall&apos;unità difettosa, fai clic sul pulsante «Recupera&#xa0;dati».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clona unità</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recupera dati</translation>
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
        <translation>Ignora</translation>
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
        <translation>Avviso sulle prestazioni</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>Le prestazioni dell&apos;unità stanno peggiorando e possono causare danni permanenti. Per evitare la perdita di dati, crea un clone dell&apos;unità di archiviazione.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Non mostrare più</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Per recuperare i dati dall&apos;unità difettosa, fai clic sul pulsante «Recupera&#xa0;dati».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Clona unità</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Recupera dati</translation>
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
        <translation>Ignora</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Esci</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperatura: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Salute: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Prestazioni: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Partizioni: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>Interrompi il monitoraggio S.M.A.R.T</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Apri Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>Unità: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>Unità non lette: cartella temporanea non usabile.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Leggere le unità richiede diritti di amministratore.</translation>
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
        <translation>La temperatura dell&apos;unità di archiviazione ha raggiunto il valore di spegnimento. Per evitare danni permanenti, spegni subito il sistema.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Avviso di spegnimento</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Avviso di spegnimento</translation>
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
        <translation>Ignora</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Spegni</translation>
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
        <translation>La temperatura dell&apos;unità di archiviazione ha superato la soglia impostata. Per evitare danni permanenti, si consiglia di spegnere il sistema.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>Avviso SMART</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Avviso</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Non mostrare più</translation>
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
        <translation>Ignora</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Spegni</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Modulo</translation>
    </message>
</context>
</TS>
