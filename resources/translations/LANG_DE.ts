<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Zustandswarnung</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>Der Zustand des Laufwerks verschlechtert sich und kann zu dauerhaften Schäden führen. Um Datenverlust zu vermeiden, erstellen Sie einen Klon des ausfallgefährdeten Laufwerks.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Um Daten von dem ausfallgefährdeten Laufwerk wiederherzustellen, klicken Sie auf „Daten&#xa0;wiederherstellen“.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Laufwerk klonen</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Daten wiederherstellen</translation>
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
        <translation>Ignorieren</translation>
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
        <translation>Leistungswarnung</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>Die Leistung des Laufwerks lässt nach, was zu dauerhaften Schäden führen kann. Um Datenverlust zu vermeiden, erstellen Sie einen Klon des Laufwerks.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Um Daten von dem ausfallgefährdeten Laufwerk wiederherzustellen, klicken Sie auf „Daten&#xa0;wiederherstellen“.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Laufwerk klonen</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Daten wiederherstellen</translation>
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
        <translation>Ignorieren</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperatur: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Zustand: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Leistung: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Partitionen: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>S.M.A.R.T.-Überwachung beenden</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor öffnen</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>Laufwerk: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>Keine Laufwerksdaten: temporärer Ordner unbrauchbar.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Laufwerkszugriff erfordert Administratorrechte.</translation>
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
        <translation>Die Temperatur Ihres Laufwerks hat die Abschalttemperatur erreicht. Um dauerhafte Schäden zu vermeiden, fahren Sie das System sofort herunter.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Abschaltwarnung</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Abschaltwarnung</translation>
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
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Herunterfahren</translation>
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
        <translation>Die Temperatur Ihres Laufwerks hat den eingestellten Grenzwert überschritten. Um dauerhafte Schäden zu vermeiden, wird empfohlen, das System herunterzufahren.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>SMART-Warnung</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Nicht mehr anzeigen</translation>
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
        <translation>Ignorieren</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Herunterfahren</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Formular</translation>
    </message>
</context>
</TS>
