<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Gezondheidswaarschuwing</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Let op</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>De gezondheid van de schijf gaat achteruit, wat tot blijvende schade kan leiden. Maak een kloon van de falende opslagschijf om gegevensverlies te voorkomen.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Niet meer weergeven</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Klik op de knop &apos;Gegevens&#xa0;herstellen&apos; om gegevens van de falende schijf te herstellen.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Schijf klonen</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Gegevens herstellen</translation>
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
        <translation>Negeren</translation>
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
        <translation>Prestatiewaarschuwing</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Let op</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>De prestaties van de schijf gaan achteruit, wat tot blijvende schade kan leiden. Maak een kloon van de opslagschijf om gegevensverlies te voorkomen.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Niet meer weergeven</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Klik op de knop &apos;Gegevens&#xa0;herstellen&apos; om gegevens van de falende schijf te herstellen.</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Schijf klonen</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Gegevens herstellen</translation>
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
        <translation>Negeren</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Afsluiten</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Temperatuur: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Gezondheid: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Prestaties: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Partities: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>S.M.A.R.T-bewaking stoppen</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor openen</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>Schijf: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>Schijven niet gelezen: tijdelijke map onbruikbaar.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Schijven lezen vereist beheerdersrechten.</translation>
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
        <translation>De temperatuur van uw opslagschijf heeft de uitschakeltemperatuur bereikt. Schakel het systeem onmiddellijk uit om blijvende schade te voorkomen.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Uitschakelwaarschuwing</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Let op</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Uitschakelwaarschuwing</translation>
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
        <translation>Negeren</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Uitschakelen</translation>
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
        <translation>De temperatuur van uw opslagschijf heeft de ingestelde drempelwaarde overschreden. Om blijvende schade te voorkomen, wordt aanbevolen het systeem uit te schakelen.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>SMART-waarschuwing</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Let op</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Niet meer weergeven</translation>
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
        <translation>Negeren</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Uitschakelen</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Formulier</translation>
    </message>
</context>
</TS>
