<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>Alerte de santé</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>La santé du disque se dégrade et peut entraîner des dommages permanents. Pour éviter toute perte de données, créez un clone du disque de stockage défaillant.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Ne plus afficher</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Pour récupérer les données du disque défaillant, cliquez sur le bouton «&#xa0;Récupérer&#xa0;les&#xa0;données&#xa0;».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Cloner le disque</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Récupérer les données</translation>
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
        <translation>Ignorer</translation>
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
        <translation>Alerte de performances</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>Les performances du disque se dégradent, ce qui peut entraîner des dommages permanents. Pour éviter toute perte de données, créez un clone du disque de stockage.</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Ne plus afficher</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>Pour récupérer les données du disque défaillant, cliquez sur le bouton «&#xa0;Récupérer&#xa0;les&#xa0;données&#xa0;».</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>Cloner le disque</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>Récupérer les données</translation>
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
        <translation>Ignorer</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>Température&#xa0;: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>Santé&#xa0;: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>Performances&#xa0;: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>Partitions&#xa0;: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>Arrêter la surveillance S.M.A.R.T</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Ouvrir Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>Disque&#xa0;: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>Disques non lus&#xa0;: dossier temporaire inutilisable.</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>Lire les disques exige les droits d&apos;administrateur.</translation>
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
        <translation>La température de votre disque de stockage a atteint la valeur d&apos;arrêt. Pour éviter tout dommage permanent, arrêtez le système immédiatement.</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>Alerte d&apos;arrêt</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>Alerte d&apos;arrêt</translation>
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
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Arrêter</translation>
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
        <translation>La température de votre disque de stockage a dépassé le seuil défini. Pour éviter tout dommage permanent, il est recommandé d&apos;arrêter le système.</translation>
    </message>
    <message>
        <source>SMART Warning</source>
        <translation>Alerte SMART</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Attention</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>Ne plus afficher</translation>
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
        <translation>Ignorer</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Arrêter</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>Formulaire</translation>
    </message>
</context>
</TS>
