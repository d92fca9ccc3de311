#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "disks/DiskQueries.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartCapture.h"

#include "../support/ProcessTestSupport.h"

#include <QtTest>

// The drive queries and S.M.A.R.T. readings run through the real command runner against the stand-in
// tools of bin/system, on the described machines and on this Linux machine itself.
class StandinToolTests : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString toolLog_;
    QString binDirectory_;
    QString standinDirectory_;

    static QString Machine(const QString& name) { return QStringLiteral(CORVANE_MACHINES_DIR "/") + name; }

    void UseMachine(const QString& name) {
        if (name.isEmpty())
            qunsetenv("CORVANE_SIMULATED_MACHINE");
        else
            qputenv("CORVANE_SIMULATED_MACHINE", Machine(name).toUtf8());
    }

    QStringList ToolRuns() const {
        QStringList runs = ReadCaptureLines(toolLog_).value_or(QStringList());
        runs.replaceInStrings(CapturePath(QString()), QStringLiteral("$TMP/"));
        return runs;
    }

    static QStringList RunProgram(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.start(program, arguments);
        process.waitForFinished(60000);
        return QString::fromLocal8Bit(process.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    struct Reading {
        int temperature = -1;
        bool passedSeen = false;
        int health = -1;
        int performance = -1;
    };

    static Reading ReadDrive(const QString& device) {
        const QString capture = CapturePath(QStringLiteral("Temp.txt"));
        RemoveCaptureFile(capture);
        smart::RunSmartTool(device, capture);
        Reading reading;
        if (const std::optional<smart::SmartScan> scan = smart::ScanSmartReport(capture)) {
            reading.temperature = scan->Temperature();
            reading.passedSeen = scan->passedSeen;
        }
        reading.health = smart::EvaluateHealth(capture);
        reading.performance = smart::EvaluatePerformance(capture);
        RemoveCaptureFile(capture);
        return reading;
    }

private slots:
    void initTestCase() {
        QVERIFY(root_.isValid());
        binDirectory_ = QString::fromLocal8Bit(qgetenv("CORVANE_TEST_BIN"));
        standinDirectory_ = binDirectory_ + QStringLiteral("/system");
        QVERIFY2(QFile::exists(standinDirectory_ + "/wbem/WMIC.exe"), qPrintable(standinDirectory_));
        const QString temporary = root_.filePath(QString::fromUtf8("Ana María"));
        QVERIFY(QDir().mkpath(temporary));
        qputenv("TMPDIR", temporary.toUtf8());
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(PrepareWorkFolder(), WorkFolderState::Ready);
        qputenv("CORVANE_SETTINGS_FILE", root_.filePath("settings.ini").toUtf8());
        toolLog_ = root_.filePath("tools.log");
        qputenv("CORVANE_TOOL_LOG", toolLog_.toUtf8());
    }

    void init() {
        SystemDirectory = standinDirectory_;
        LaunchArgument.clear();
        QFile::remove(toolLog_);
        UseMachine(QString());
    }

    void bootDiskFirstCostsOneWmicAndTwoDiskpartRuns() {
        UseMachine("healthy-desktop");
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("0"));
        QCOMPARE(DiskIndexList, (QStringList{"0      ", "1      ", ""}));
        const QString diskpart = QStringLiteral("diskpart.exe /s $TMP/DiskList.txt");
        QCOMPARE(ToolRuns(), (QStringList{"WMIC.exe diskdrive get index", diskpart, diskpart}));
        QVERIFY(!QFile::exists(CapturePath("SMART1.txt")));
        QCOMPARE(ReadCaptureLines(CapturePath("DiskList.txt")).value_or(QStringList()),
                 (QStringList{"list disk  ", "select disk 0      ", "detail disk"}));
        QVERIFY(ReadCaptureLines(CapturePath("Out.txt")).value_or(QStringList()).contains("Boot Disk  : Yes"));
    }

    void bootDiskSecondCostsFourDiskpartRuns() {
        UseMachine("failing-boot-disk");
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("1"));
        QCOMPARE(ToolRuns().filter(QStringLiteral("diskpart.exe /s")).size(), 4);
        QCOMPARE(ToolRuns().first(), QStringLiteral("WMIC.exe diskdrive get index"));
        const QStringList details = ReadCaptureLines(CapturePath("Out.txt")).value_or(QStringList());
        QVERIFY(details.contains("HGST HUS724040ALE640"));
        QVERIFY(!details.contains("ST2000NM000A-2J2100"));
    }

    void modelTextsComeFromTheDriveList() {
        UseMachine("healthy-desktop");
        QCOMPARE(disks::GetDiskModelName("0"), QStringLiteral("INTEL SSDSC2KB480G8 "));
        QCOMPARE(disks::GetDiskModelName("1"), QStringLiteral("WDC WUH721816ALE6L4 "));
        QCOMPARE(disks::GetDiskModelName("2"), QString());
        QCOMPARE(ToolRuns(), (QStringList{"WMIC.exe diskdrive get Model,Index", "WMIC.exe diskdrive get Model,Index", "WMIC.exe diskdrive get Model,Index"}));
        QVERIFY(!QFile::exists(CapturePath("DiskInfo.txt")));
    }

    // The lines the monitor's readers take apart, exactly as the Windows tools lay them out.
    void describedWorkstationListedAsWindowsListsIt() {
        UseMachine("four-drive-workstation");
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("1"));
        QCOMPARE(DiskIndexList, (QStringList{"0      ", "1      ", "2      ", "3      ", ""}));
        QCOMPARE(disks::GetDiskModelName("3"), QStringLiteral("WD Elements 25A3 USB Device "));
        const QStringList details = ReadCaptureLines(CapturePath("Out.txt")).value_or(QStringList());
        for (const char* line : {"  Disk 1    Online          465 GB      0 B         *", "Samsung SSD 970 EVO Plus 500GB",
                                 "Disk ID: {5E1F0C2A-9B3D-4C7E-8F21-000000000001}", "Boot Disk  : Yes",
                                 "  Volume 5                      FAT32  Partition    100 MB  Healthy    System  ",
                                 "  Volume 6     C   Windows      NTFS   Partition    464 GB  Healthy    Boot    ",
                                 "Leaving DiskPart..."})
            QVERIFY2(details.contains(QString::fromLatin1(line)), line);

        // diskpart takes its commands in any case.
        const QString script = CapturePath("Shouted.txt");
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("LIST DISK\nSelect Disk 2\n  DETAIL disk  ");
        file.close();
        const QString capture = CapturePath("Shouted-Out.txt");
        RunCommand((QuotedPath(SystemToolPath("diskpart.exe")) + " /s " + QuotedPath(script) + ">" + QuotedPath(capture))
                       .toStdString(), "");
        const QStringList shouted = ReadCaptureLines(capture).value_or(QStringList());
        QVERIFY(shouted.contains("OOS12000G"));
        QVERIFY(shouted.contains("  Volume 9     D   Projects     NTFS   Partition     10 TB  Healthy            "));
    }

    void describedDrivesReadAsDescribed_data() {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<bool>("passedSeen");
        QTest::addColumn<int>("health");
        QTest::addColumn<int>("performance");
        QTest::newRow("desktop SSD") << "healthy-desktop" << "sda" << 34 << true << 100 << 100;
        QTest::newRow("desktop HDD") << "healthy-desktop" << "sdb" << 36 << true << 100 << 100;
        QTest::newRow("hot laptop NVMe") << "hot-nvme-laptop" << "sda" << 71 << true << 87 << 100;
        QTest::newRow("laptop USB stick without report") << "hot-nvme-laptop" << "sdb" << 0 << false << 100 << 100;
        QTest::newRow("failing boot disk") << "failing-boot-disk" << "sdb" << 41 << true << 11 << 100;
        QTest::newRow("no third drive") << "failing-boot-disk" << "sdc" << 0 << false << 100 << 100;
        QTest::newRow("no device name") << "failing-boot-disk" << "" << 0 << false << 100 << 100;
    }
    void describedDrivesReadAsDescribed() {
        QFETCH(QString, machine);
        QFETCH(QString, device);
        UseMachine(machine);
        const Reading reading = ReadDrive(device);
        QTEST(reading.temperature, "temperature");
        QTEST(reading.passedSeen, "passedSeen");
        QTEST(reading.health, "health");
        QTEST(reading.performance, "performance");
        QCOMPARE(ToolRuns(), QStringList{"smartctl64Bit.exe -a /dev/" + device});
    }

    // The stored tool reads every drive at 55 °C, the one found by name the laptop's 71 °C. Only a plain
    // absolute path is run; anything else gives way to the tool's name, and none of it is executed.
    void scheduledStartRunsOnlyAPlainStoredToolPath() {
        UseMachine("hot-nvme-laptop");
        const QString stored = root_.filePath("Corvane Tools/smartctl64Bit.exe");
        const QString mark = root_.filePath("injected");
        QVERIFY(WriteBytes(stored, "#!/bin/sh\necho '194 Temperature_Celsius 0x0022 055 040 000 Old_age Always - 55'\n", true));
        LaunchArgument = ScheduledLaunchArgument;
        const std::vector<std::pair<QString, int>> settings = {
            {stored, 55}, {'"' + stored + '"', 55}, {QString(), 71}, {"smartctl64Bit.exe", 71},
            {stored + "\" & touch '" + mark + "' & \"", 71}, {root_.filePath("%PATH%/smartctl64Bit.exe"), 71}};
        for (const auto& [setting, celsius] : settings) {
            SettingsStore().Write(SettingsKey::SmartctlFolderPath, setting);
            QCOMPARE(ReadDrive("sda").temperature, celsius);
        }
        QVERIFY(!QFile::exists(mark));
        LaunchArgument.clear();
    }

    void powerShellListsTheDrivesWhenWmicIsMissing() {
        UseMachine("healthy-desktop");
        const QString wmicModel = disks::GetDiskModelName("1");

        const QString withoutWmic = root_.filePath("system without WMIC");
        QVERIFY(QDir().mkpath(withoutWmic));
        for (const char* name : {"diskpart.exe", "standin-machine.sh"})
            QVERIFY(QFile::link(standinDirectory_ + "/" + name, withoutWmic + "/" + name));
        SystemDirectory = withoutWmic;
        const QString powerShellDirectory = root_.filePath("powershell");
        QVERIFY(QDir().mkpath(powerShellDirectory));
        QVERIFY(WriteBytes(powerShellDirectory + "/powershell", R"(#!/bin/sh
printf '%s\n' "powershell $*" >> "$CORVANE_TOOL_LOG"
capture=${5#*-Path \'}
capture=${capture%%\'*}
case "$5" in
    *Index,Model*) printf 'Index Model\r\n----- -----\r\n    0 INTEL SSDSC2KB480G8\r\n    1 WDC WUH721816ALE6L4\r\n' ;;
    *) printf 'Index\r\n-----\r\n    0\r\n    1\r\n' ;;
esac > "$capture"
)", true));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", powerShellDirectory.toUtf8() + ":" + path);
        QFile::remove(toolLog_);

        QCOMPARE(disks::GetDiskModelName("1"), wmicModel);
        QCOMPARE(disks::GetBootDiskIndex(), QStringLiteral("0"));
        QCOMPARE(DiskIndexList, (QStringList{"    0", "    1"}));
        const QStringList runs = ToolRuns();
        QCOMPARE(runs.filter(QStringLiteral("powershell")).size(), 2);
        QCOMPARE(runs.first(),
                 QStringLiteral("powershell -NoProfile -ExecutionPolicy Bypass -Command ($output = Get-CimInstance -Class "
                                "Win32_DiskDrive | Select-Object Index,Model | Format-Table -AutoSize | Out-String).Trim() "
                                "| Set-Content -Path '$TMP/DiskInfo.txt' -Encoding ASCII"));
        QVERIFY(runs[1].contains(QStringLiteral("Get-WmiObject -Class Win32_DiskDrive | Select-Object Index |")));

        qputenv("PATH", path);
        QCOMPARE(disks::GetDiskModelName("1"), QString());
        QCOMPARE(disks::GetBootDiskIndex(), QString());
        QVERIFY(DiskIndexList.isEmpty());
    }

    void companionCheckAndShutdownRunAsTheyWouldOnWindows() {
        const QString capture = CapturePath("tmpFile");
        const auto companionRunning = [&] {
            RemoveCaptureFile(capture);
            RunCommand((QuotedPath(SystemToolPath("tasklist.exe")) + " | " + QuotedPath(SystemToolPath("findstr.exe")) +
                        " CorvaneDriveMonitor.exe >> " + QuotedPath(capture)).toStdString(), "");
            return ReadCaptureLines(capture).value_or(QStringList());
        };
        UseMachine("hot-nvme-laptop");
        const QStringList lines = companionRunning();
        QCOMPARE(lines.size(), 1);
        QVERIFY(lines.first().startsWith("CorvaneDriveMonitor.exe  "));
        UseMachine("healthy-desktop");
        QVERIFY(companionRunning().isEmpty());

        QFile::remove(toolLog_);
        QVERIFY(RunCommandWithin("shutdown /s", "", CommandTimeLimit).exitCode == 0);
        QVERIFY(RunCommandWithin("shutdown /r", "", CommandTimeLimit).exitCode != 0);
        QCOMPARE(ToolRuns(), (QStringList{"shutdown /s", "shutdown /r"}));
    }

    // This machine's own disks, boot disk and reports, told apart from what lsblk, findmnt and the
    // real smartctl say directly.
    void realMachineDrivesAndBootDisk() {
        QStringList disks;
        for (const QString& line : RunProgram("lsblk", {"-d", "-n", "-r", "-o", "NAME,TYPE"})) {
            const QStringList fields = line.split(' ');
            static const QRegularExpression notADrive(QStringLiteral("^(loop|ram|zram|sr)"));
            if (fields.value(1) == "disk" && !notADrive.match(fields[0]).hasMatch()) disks << fields[0];
        }
        if (disks.isEmpty()) QSKIP("lsblk lists no disks here");

        const QString bootIndex = disks::GetBootDiskIndex();
        QStringList listed;
        for (const QString& entry : qAsConst(DiskIndexList))
            if (!entry.trimmed().isEmpty()) listed << entry.trimmed();
        QCOMPARE(listed.size(), disks.size());
        for (int i = 0; i < listed.size(); ++i) QCOMPARE(listed[i], QString::number(i));

        QString rootDisk;
        const QString rootSource = RunProgram("findmnt", {"-n", "-o", "SOURCE", "/"}).value(0).section('[', 0, 0);
        if (rootSource.startsWith("/dev/")) {
            for (const QString& line : RunProgram("lsblk", {"-n", "-r", "-s", "-o", "NAME,TYPE", rootSource}))
                if (line.endsWith(" disk") && rootDisk.isEmpty()) rootDisk = line.section(' ', 0, 0);
        }
        QCOMPARE(bootIndex, rootDisk.isEmpty() ? QString() : QString::number(disks.indexOf(rootDisk)));

        for (int i = 0; i < disks.size() && i < 9; ++i) {
            const QString device = QString(QLatin1Char('a' + i)).prepend("sd");
            QProcess standin;
            standin.start(standinDirectory_ + "/smartctl64Bit.exe", {"-a", "/dev/" + device});
            QVERIFY(standin.waitForFinished(60000));
            QCOMPARE(standin.readAllStandardError(), QByteArray());
            // Both runs name the same Linux device and drive; figures may move between runs.
            const QString capture = CapturePath("Temp.txt");
            RemoveCaptureFile(capture);
            smart::RunSmartTool(device, capture);
            const QStringList viaStandin = ReadCaptureLines(capture).value_or(QStringList());
            const QStringList direct = RunProgram("smartctl", {"-a", "/dev/" + disks[i]});
            const QRegularExpression identity("^(Device Model|Model Number|Serial Number|Vendor|Product):|/dev/" + disks[i]);
            QCOMPARE(viaStandin.filter(identity), direct.filter(identity));
            if (!smart::ReportHasPassed(direct)) QVERIFY(!smart::ScanSmartLines(viaStandin).passedSeen);
            if (direct.join('\n').contains("Unable to detect device type"))
                QCOMPARE(smart::ScanSmartLines(viaStandin).Temperature(), 0);
        }
    }

    void smartinspectReportsEachFileAndNamesTheUnreadable() {
        const QString healthy = Machine("failing-boot-disk/hgst-hus724040ale640.txt");
        const QString hot = Machine("hot-nvme-laptop/samsung-980-pro-1tb.txt");
        QProcess inspect;
        inspect.start(binDirectory_ + "/smartinspect", {healthy, root_.filePath("missing.txt"), hot});
        QVERIFY(inspect.waitForFinished(60000));
        QCOMPARE(inspect.exitCode(), 2);
        QCOMPARE(QString::fromUtf8(inspect.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts),
                 (QStringList{"{\"file\": \"" + healthy +
                                  "\", \"temperature\": 41, \"passedBeforeTemperature\": true, \"passed\": true, "
                                  "\"health\": 11, \"performance\": 100}",
                              "{\"file\": \"" + hot +
                                  "\", \"temperature\": 71, \"passedBeforeTemperature\": true, \"passed\": true, "
                                  "\"health\": 87, \"performance\": 100}"}));
        QVERIFY(QString::fromUtf8(inspect.readAllStandardError()).contains("missing.txt"));
    }
};

QTEST_GUILESS_MAIN(StandinToolTests)
#include "StandinToolTests.moc"
