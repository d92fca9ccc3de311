<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>HealthWarning</name>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Health Warning</source>
        <translation>健康状態の警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Drive health is declining and may lead to permanent damage.To avoid data loss, create a clone of the failing storage drive.</source>
        <translation>ドライブの健康状態が低下しており、永続的な損傷につながるおそれがあります。データの損失を防ぐため、故障しかけているストレージ ドライブのクローンを作成してください。</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>今後表示しない</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>故障しかけたドライブのデータは [データ復旧] ボタンで復旧できます。</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>クローン作成</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>データ復旧</translation>
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
        <translation>無視</translation>
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
        <translation>パフォーマンスの警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Drive performance is declining and may lead to permanent damage.To avoid data loss, create a clone of the storage drive.</source>
        <translation>ドライブのパフォーマンスが低下しており、永続的な損傷につながるおそれがあります。データの損失を防ぐため、ストレージ ドライブのクローンを作成してください。</translation>
    </message>
    <message>
        <source>Don&apos;t show this again</source>
        <translation>今後表示しない</translation>
    </message>
    <message>
        <source>To recover data from the failing drive, click the &apos;Recover Data&apos; button.</source>
        <translation>故障しかけたドライブのデータは [データ復旧] ボタンで復旧できます。</translation>
    </message>
    <message>
        <source>Clone Disk</source>
        <translation>クローン作成</translation>
    </message>
    <message>
        <source>Recover Data</source>
        <translation>データ復旧</translation>
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
        <translation>無視</translation>
    </message>
</context>
<context>
    <name>QWaitClass</name>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Temperature: </source>
        <translation>温度: </translation>
    </message>
    <message>
        <source>Health: </source>
        <translation>健康状態: </translation>
    </message>
    <message>
        <source>Performance: </source>
        <translation>パフォーマンス: </translation>
    </message>
    <message>
        <source>Partition: </source>
        <translation>パーティション: </translation>
    </message>
    <message>
        <source>Stop S.M.A.R.T monitoring</source>
        <translation>S.M.A.R.T 監視を停止</translation>
    </message>
    <message>
        <source>Go to Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor を開く</translation>
    </message>
    <message>
        <source>Corvane Drive Monitor</source>
        <translation>Corvane Drive Monitor</translation>
    </message>
    <message>
        <source>Disk: </source>
        <translation>ドライブ: </translation>
    </message>
    <message>
        <source>Drives not read: the temporary folder is unusable.</source>
        <translation>ドライブを読み取れません: 一時フォルダーを使用できません。</translation>
    </message>
    <message>
        <source>Reading drives needs administrator rights.</source>
        <translation>ドライブの読み取りには管理者権限が必要です。</translation>
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
        <translation>ストレージ ドライブの温度がシャットダウン温度に達しました。永続的な損傷を防ぐため、直ちにシステムの電源を切ってください。</translation>
    </message>
    <message>
        <source>Shut Down Warning</source>
        <translation>シャットダウンの警告</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Shutdown Warning</source>
        <translation>シャットダウンの警告</translation>
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
        <translation>無視</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>電源を切る</translation>
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
        <translation>ストレージ ドライブの温度が設定されたしきい値を超えました。永続的な損傷を防ぐため、システムの電源を切ることをお勧めします。</translation>
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
        <translation>今後表示しない</translation>
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
        <translation>無視</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>電源を切る</translation>
    </message>
</context>
<context>
    <name>m_pDiskInfoWgt</name>
    <message>
        <source>Form</source>
        <translation>フォーム</translation>
    </message>
</context>
</TS>
