#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "disks/DiskQueries.h"
#include "exec/CaptureFile.h"
#include "smart/SmartCapture.h"

#include "../support/ProcessTestSupport.h"

#include <QtTest>

#include <algorithm>

// The stand-in tools held to their goldens (tests/data/standins), and the monitor's queries run
// through the real command runner against them.
class StandinToolTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString binDirectory_;
    QString system_;
    QHash<QByteArray, QByteArray> outcomes_;  // "machine/command": exit code, tool log and standard error

    static QString Data(const QString& path) { return QStringLiteral(CORVANE_SOURCE_DIR "/tests/data/standins/") + path; }

    // What the goldens write as @HOST@ and @ROOT@, put back for this machine and checkout.
    static QByteArray ForThisMachine(QByteArray golden) {
        return golden.replace("@HOST@", QSysInfo::machineHostName().toUtf8()).replace("@ROOT@", CORVANE_SOURCE_DIR);
    }

    static QByteArray ThisMachineFingerprint() {
        const QStringList disks = QDir("/sys/block").entryList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::Name);
        return (QStringList{QSysInfo::machineHostName()} + disks).join('\n').toUtf8() + '\n';
    }

    static QStringList RunProgram(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromLocal8Bit(process.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        binDirectory_ = qEnvironmentVariable("CORVANE_TEST_BIN");
        system_ = binDirectory_ + "/system";
        QVERIFY2(QFileInfo(system_ + "/wbem/WMIC.exe").isExecutable(), qPrintable(system_));
        QByteArray current;
        for (const QByteArray& line : ReadBytes(Data("expected/outcomes.txt")).split('\n')) {
            if (line.startsWith("== "))
                current = line.mid(3);
            else if (!line.isEmpty())
                outcomes_[current] += line + '\n';
        }
        QVERIFY(!outcomes_.isEmpty());
        qputenv("TMPDIR", root_.path().toUtf8());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
        qputenv("CORVANE_SETTINGS_FILE", root_.filePath("settings.ini").toUtf8());
        qunsetenv("CORVANE_TOOL_LOG");
    }

    void init() {
        SystemDirectory = system_;
        LaunchArgument.clear();
        qunsetenv("CORVANE_SIMULATED_MACHINE");
    }

    // Every command of cases.txt on its machines prints byte for byte what its golden holds, and
    // exits, logs and complains as recorded.
    void toolsPrintTheirGoldens_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("shellText");
        QHash<QString, QString> commands;
        for (const QString& line : QString::fromUtf8(ReadBytes(Data("cases.txt"))).split('\n')) {
            const QStringList words = line.split(' ');
            if (words[0] == "command") commands.insert(words.value(1), line.section(' ', 2));
            if (words[0] != "run") continue;
            const QString name = words[1] == "-" ? QStringLiteral("this-machine") : QFileInfo(words[1]).fileName();
            for (const QString& command : words.mid(2))
                QTest::newRow(qPrintable(name + "/" + command)) << words[1] << commands.value(command);
        }
    }
    void toolsPrintTheirGoldens() {
        QFETCH(QString, machine);
        QFETCH(QString, shellText);
        const QString row = QString::fromUtf8(QTest::currentDataTag());
        if (machine == "-" && ReadBytes(Data("expected/this-machine.fingerprint")) != ThisMachineFingerprint())
            QSKIP("recorded on another machine");
        QTemporaryDir folder;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LC_ALL", "C");
        environment.insert("SYSTEM", system_);
        environment.insert("PATH", system_ + ":" + environment.value("PATH"));
        environment.insert("CORVANE_TOOL_LOG", folder.filePath("tools.log"));
        environment.remove("CORVANE_SIMULATED_MACHINE");
        environment.remove("CORVANE_REPORT_DIR");
        if (machine != "-") environment.insert("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/" + machine);
        QProcess shell;
        shell.setProcessEnvironment(environment);
        shell.setWorkingDirectory(folder.path());
        shell.start("/bin/sh", {"-c", shellText});
        QVERIFY(shell.waitForFinished(120000));

        QCOMPARE(shell.readAllStandardOutput(), ForThisMachine(ReadBytes(Data("expected/" + row + ".out"))));
        QByteArrayList log = ReadBytes(folder.filePath("tools.log")).split('\n');
        log.removeAll(QByteArray());
        std::sort(log.begin(), log.end());
        QByteArray outcome = "exit " + QByteArray::number(shell.exitCode()) + '\n';
        for (const QByteArray& line : log) outcome += "log " + line + '\n';
        for (const QByteArray& line : shell.readAllStandardError().split('\n'))
            if (!line.isEmpty()) outcome += "stderr " + line + '\n';
        QCOMPARE(QString::fromUtf8(outcome), QString::fromUtf8(ForThisMachine(outcomes_.value(row.toUtf8()))));
    }

    // The stored tool reads every drive at 55 °C, the one found by name the laptop's 71 °C. Only a plain
    // absolute path is run; anything else gives way to the tool's name, and none of it is executed.
    void scheduledStartRunsOnlyAPlainStoredToolPath() {
        qputenv("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/standins/machines/hot-nvme-laptop");
        const QString stored = root_.filePath("Corvane Tools/smartctl64Bit.exe");
        const QString mark = root_.filePath("injected");
        QVERIFY(WriteBytes(stored, "#!/bin/sh\necho '194 Temperature_Celsius 0x0022 055 040 000 Old_age Always - 55'\n", true));
        LaunchArgument = ScheduledLaunchArgument;
        const std::vector<std::pair<QString, int>> settings = {
            {stored, 55}, {'"' + stored + '"', 55}, {QString(), 71}, {"smartctl64Bit.exe", 71},
            {stored + "\" & touch '" + mark + "' & \"", 71}, {root_.filePath("%PATH%/smartctl64Bit.exe"), 71}};
        const QString capture = CapturePath("Temp.txt");
        for (const auto& [setting, celsius] : settings) {
            SettingsStore().Write(SettingsKey::SmartctlFolderPath, setting);
            RemoveCaptureFile(capture);
            smart::RunSmartTool("sda", capture);
            QCOMPARE(smart::ScanSmartReport(capture).value_or(smart::SmartScan()).Temperature(), celsius);
        }
        QVERIFY(!QFile::exists(mark));
    }

    // Without WMIC the drive lists come from PowerShell, and without either there are none.
    void powerShellListsTheDrivesWhenWmicIsMissing() {
        qputenv("CORVANE_SIMULATED_MACHINE", CORVANE_SOURCE_DIR "/standins/machines/healthy-desktop");
        const QString withoutWmic = root_.filePath("system without WMIC");
        QVERIFY(QDir().mkpath(withoutWmic));
        QVERIFY(QFile::link(system_ + "/corvane-standin", withoutWmic + "/diskpart.exe"));
        SystemDirectory = withoutWmic;
        const QString powerShell = root_.filePath("powershell");
        const QString log = root_.filePath("powershell.log");
        QVERIFY(WriteBytes(powerShell + "/powershell", "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" + log.toUtf8() + R"('
capture=${5#*-Path \'}
capture=${capture%%\'*}
case "$5" in
    *Index,Model*) printf 'Index Model\r\n----- -----\r\n    0 INTEL SSDSC2KB480G8\r\n    1 WDC WUH721816ALE6L4\r\n' ;;
    *) printf 'Index\r\n-----\r\n    0\r\n    1\r\n' ;;
esac > "$capture"
)", true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", powerShell.toUtf8() + ":" + path);

        QCOMPARE(disks::GetDiskModelName("1"), QStringLiteral("WDC WUH721816ALE6L4 "));
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("0"));
        QCOMPARE(DiskIndexList, (QStringList{"    0", "    1"}));
        const QStringList runs = QString::fromUtf8(ReadBytes(log)).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(runs.size(), 2);
        QCOMPARE(runs[0], "-NoProfile -ExecutionPolicy Bypass -Command ($output = Get-CimInstance -Class Win32_DiskDrive "
                          "| Select-Object Index,Model | Format-Table -AutoSize | Out-String).Trim() | Set-Content -Path '" +
                              CapturePath("DiskInfo.txt") + "' -Encoding ASCII");
        QVERIFY(runs[1].contains("Get-WmiObject -Class Win32_DiskDrive | Select-Object Index |"));

        qputenv("PATH", path);
        QCOMPARE(disks::GetDiskModelName("1"), QString());
        QCOMPARE(disks::GetBootDiskIndex(), QString());
        QVERIFY(DiskIndexList.isEmpty());
    }

    // This machine's whole disks and boot disk as lsblk and findmnt tell them, which read udev's
    // database and the mount table as the stand-ins do.
    void thisMachineListedAsLsblkListsIt() {
        if (QStandardPaths::findExecutable("lsblk").isEmpty()) QSKIP("no lsblk here");
        QStringList disks;
        static const QRegularExpression notADrive(QStringLiteral("^(loop|ram|zram|sr)"));
        for (const QString& line : RunProgram("lsblk", {"-d", "-n", "-r", "-o", "NAME,TYPE"}))
            if (line.section(' ', 1) == "disk" && !notADrive.match(line).hasMatch()) disks << line.section(' ', 0, 0);
        QString rootDisk;
        const QString rootSource = RunProgram("findmnt", {"-n", "-o", "SOURCE", "/"}).value(0).section('[', 0, 0);
        for (const QString& line : RunProgram("lsblk", {"-n", "-r", "-s", "-o", "NAME,TYPE", rootSource}))
            if (line.endsWith(" disk") && rootDisk.isEmpty()) rootDisk = line.section(' ', 0, 0);

        const QString bootIndex = disks::GetBootDiskIndex();
        QStringList listed;
        for (const QString& entry : qAsConst(DiskIndexList))
            if (!entry.trimmed().isEmpty()) listed << entry.trimmed();
        QCOMPARE(listed.size(), disks.size());
        QCOMPARE(bootIndex, rootDisk.isEmpty() ? QString() : QString::number(disks.indexOf(rootDisk)));
        for (int i = 0; i < disks.size(); ++i) {
            const QString model = RunProgram("lsblk", {"-d", "-n", "-o", "MODEL", "/dev/" + disks[i]}).value(0).trimmed();
            QCOMPARE(disks::GetDiskModelName(QString::number(i)).trimmed(), model.isEmpty() ? disks[i] : model);
        }
    }

    void smartinspectReportsEachFileAndNamesTheUnreadable() {
        const QString failing = CORVANE_SOURCE_DIR "/standins/machines/failing-boot-disk/hgst-hus724040ale640.txt";
        QProcess inspect;
        inspect.start(binDirectory_ + "/smartinspect", {failing, root_.filePath("missing.txt")});
        QVERIFY(inspect.waitForFinished(60000));
        QCOMPARE(inspect.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(inspect.readAllStandardOutput()),
                 "{\"file\": \"" + failing +
                     "\", \"temperature\": 41, \"passedBeforeTemperature\": true, \"passed\": true, \"health\": 11, "
                     "\"performance\": 100}\n");
        QVERIFY(QString::fromUtf8(inspect.readAllStandardError()).contains("missing.txt"));
    }
};

QTEST_GUILESS_MAIN(StandinToolTests)
#include "StandinToolTests.moc"
