#include "ToolOutputReaders.h"
#include "app/DisplayScaling.h"
#include "disks/BootDisk.h"
#include "disks/DriveList.h"
#include "exec/CaptureFile.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartCommand.h"
#include "smart/SmartReport.h"
#include "support/ProcessTestSupport.h"
#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"
#include "tray/WarningDecisions.h"

#include <cmath>

using namespace smart;
using namespace disks;

// The monitor's decisions as functions of text and values: what tool output reads as, what each
// figure becomes, which warning a reading raises, which scale a display gets. Real tool outputs are
// in tests/data; tests/data/readings.txt holds their figures, worked out by hand.
namespace {

// An attribute row as "smartctl -a" prints it: ten words, the raw value last.
QString Row(const QString& name, qint64 raw) {
    return QStringLiteral("  5 %1 0x0033 100 100 010 Pre-fail Always - %2").arg(name).arg(raw);
}
const QString Nvme = "SMART/Health Information (NVMe Log 0x02)", Used = "Percentage Used:      ",
              Version = "ATA Version is:   ";
const QString Realloc = "Reallocated_Sector_Ct", Spin = "Spin_Retry_Count", Events = "Reallocated_Event_Count",
              Pending = "Current_Pending_Sector", Offline = "Offline_Uncorrectable";

QString DataPath(const QString& relative) { return QStringLiteral(CORVANE_TEST_DATA "/") + relative; }
QStringList DataLines(const QString& relative) { return ReadCaptureLines(DataPath(relative)).value_or(QStringList()); }
QString YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace

class RulesTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("corvane.*.debug=false"); }

    void reports() {
        for (const auto& [line, temperature] : {std::pair{"194 Temperature_Celsius 0x0022 031 040 000 Old_age Always - 31 (0 22 0 0 0)", 31},
                                                {"194 Temperature_Celsius 0x0022 091 086 042 Old_age - 24", 0},
                                                {"Temperature:                        41 Celsius", 41},
                                                {"Temperature: 7", 7}, {"Current Drive Temperature:     36 C", 0}})
            QCOMPARE(TemperatureFromLine(line), temperature);
        const SmartScan scan = ScanSmartLines({"Temperature: 41 Celsius", "Temperature: 99 Celsius", "PASSED"});
        QCOMPARE(scan.Temperature(), 41);
        QVERIFY(!scan.passedSeen);  // the drive overview sees PASSED only up to the temperature line
        QVERIFY(ScanSmartLines({"x", "test result: PASSED"}).passedSeen);
        QVERIFY(!ReportHasPassed({"test result: Passed", "FAILED!"}));
        for (const auto& [celsius, fahrenheit] : {std::pair{0, 32}, {37, 98}, {-40, -40}, {-1, 31}, {1, 33}, {66, 150}})
            QCOMPARE(ToFahrenheit(celsius), fahrenheit);
        QCOMPARE(DeviceNameForIndex("8"), QString("sdi"));
        for (const char* index : {"9", "", " 0", "00", "-1"}) QCOMPARE(DeviceNameForIndex(index), QString());
        QCOMPARE(SmartToolCommand("sda", "/tmp/Ana María/Temp.txt", false, "ignored"),
                 QString("smartctl64Bit.exe -a  /dev/sda >> '/tmp/Ana María/Temp.txt'"));
        QCOMPARE(SmartToolCommand("sdb", "/t/Temp.txt", true, "/opt/Corvane Tools/smartctl64Bit.exe"),
                 QString("'/opt/Corvane Tools/smartctl64Bit.exe' -a /dev/sdb >> '/t/Temp.txt'"));
    }

    void healthAndPerformance() {
        const QList<QPair<QStringList, int>> health = {
            {{Row(Realloc, 0), Row(Spin, 0), Row(Events, 0), Row(Pending, 0), Row(Offline, 0)}, 100},
            {{Row(Realloc, 10), Row(Pending, 5)}, 87}, {{Row(Realloc, 71), Row(Pending, 82)}, 16},
            {{Row(Events, 51)}, 69}, {{Row(Events, 52)}, 70}, {{Row(Pending, 81)}, 51}, {{Row(Pending, 82)}, 52},
            {{Row(Spin, 20)}, 40}, {{Row(Spin, 21)}, 40}, {{Row(Offline, 69)}, 31}, {{Row(Offline, 71)}, 30},
            {{Row("Reallocated_Sector_Count", 20)}, 80}, {{Row(Pending, 82), Row(Realloc, 10)}, 90},
            {{Row(Spin, 2147483647), Row(Offline, -2147483647LL - 1)}, 100}, {{}, 0},
            {{Nvme, Used + "1%"}, 100}, {{Nvme, Used + "2%"}, 98}, {{Nvme, "Percentage Used:"}, 100},
            {{Used + "50%", Nvme, Used + "10%", Used + "5%"}, 90}, {{Nvme, Row(Realloc, 65)}, 100}};
        for (const auto& [report, figure] : health) QVERIFY2(HealthFromReport(report) == figure, qPrintable(report.join('|')));
        const QList<QPair<QStringList, int>> performance = {
            {{Version + "ATA8-ACS T13/1699-D revision 4"}, 100}, {{Version + "ATA2"}, 50}, {{Version + "ATA1, ATA6"}, 100},
            {{Version + "ATA3"}, 100}, {{Version + "ATA8", Version + "ATA1"}, 50}, {{"  " + Version + "ATA2"}, 100},
            {{"S" + Version + "ATA2"}, 100}, {{Nvme, Version + "ATA1"}, 100}, {{"SMART Health Status: OK"}, 100}, {{}, 0}};
        for (const auto& [report, figure] : performance)
            QVERIFY2(PerformanceFromReport(report) == figure, qPrintable(report.join('|')));
    }

    void realOutputsReadAsWorkedOut_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("expected");
        for (const QString& line : DataLines("readings.txt")) {
            const QStringList words = SplitWords(line);
            if (!words.isEmpty() && !words[0].startsWith("#")) QTest::newRow(qPrintable(words[0])) << words[0] << QStringList(words.mid(1));
        }
    }
    void realOutputsReadAsWorkedOut() {
        QFETCH(QString, file);
        const QStringList lines = DataLines(file);
        QVERIFY(!lines.isEmpty());
        const SmartScan scan = ScanSmartLines(lines);
        const QString letters = tray::VolumeLetters(lines).join(',');
        const QStringList read = file.startsWith("smartctl/")
            ? QStringList{QString::number(scan.Temperature()), YesNo(scan.passedSeen), YesNo(ReportHasPassed(lines)),
                          QString::number(HealthFromReport(lines)), QString::number(PerformanceFromReport(lines))}
            : QStringList{YesNo(ShowsBootDisk(lines)), letters.isEmpty() ? "-" : letters};
        QTEST(read, "expected");
    }

    // Every real output and every input that once broke a reader, through every reader of tool output.
    void everyReaderStaysSound() {
        for (const QString& folder : {DataPath("smartctl"), DataPath("windows"), QString(CORVANE_READER_INPUTS)}) {
            for (QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
                const QByteArray capture = ReadBytes(files.next());
                for (const ToolOutputReader& reader : ToolOutputReaders()) {
                    const QString fault = reader.read(capture);
                    QVERIFY2(fault.isEmpty(), qPrintable(files.filePath() + ", " + reader.name + ": " + fault));
                }
            }
        }
    }

    void driveLists() {
        const QStringList wmic{"Index  Model                   ", "0      Samsung SSD 860 EVO 500GB  ",
                               "1      WDC   WD20EZRZ-00Z5HB0       ", "0      Index Drive", "0\tTabbed Drive", ""};
        QCOMPARE(ModelTextForIndex(wmic, "1"), QString("WDC WD20EZRZ-00Z5HB0 "));
        QCOMPARE(ModelTextForIndex(wmic.mid(3) + wmic.mid(1, 1), "0"), QString("Samsung SSD 860 EVO 500GB "));
        QCOMPARE(ModelTextForIndex(wmic, "3"), QString());
        const QStringList powerShell{"Index Model", "----- -----", "    0 Samsung SSD", "   10 WDC WD20EZRZ"};
        QCOMPARE(ModelTextForIndex(powerShell, "10"), QString("WDC WD20EZRZ "));
        QCOMPARE(DiskIndexEntries({"Index  ", "0      ", "1      ", ""}), (QStringList{"0      ", "1      ", ""}));
        QCOMPARE(DiskIndexEntries(powerShell.mid(0, 3) << " Index"), (QStringList{"    0 Samsung SSD", " Index"}));
        const QStringList sample = DataLines("windows/wmic-diskdrive-get-index-model-serialnumber-5disks.txt");
        QCOMPARE(ModelTextForIndex(sample, "3"), QString("Realtek RTL9210B-CG SCSI Disk Device 0000000000000000 "));
        QCOMPARE(DiskIndexEntries(sample).size(), 5);
        // Wine's WMIC, when the test command could capture it: UTF-16 with a mark, one entry per drive.
        const QString wine = qEnvironmentVariable("CORVANE_WINE_WMIC_CAPTURE");
        if (wine.isEmpty()) return;
        QVERIFY(ReadBytes(wine).startsWith("\xFF\xFE"));
        const QStringList entries = DiskIndexEntries(ReadCaptureLines(wine).value_or(QStringList()));
        QVERIFY(!entries.isEmpty());
        for (int i = 0; i < entries.size(); ++i)
            if (!entries[i].trimmed().isEmpty()) QCOMPARE(entries[i].trimmed(), QString::number(i));
    }

    void diskpartDetails() {
        for (const char* boot : {"Boot Disk  : Yes", "boot disk  : YES", "  Volume 1     C   Windows      NTFS   Partition    126 GB  Healthy    Boot    "})
            QVERIFY2(IsBootLine(boot), boot);
        for (const char* other : {"Boot Disk  : No", "Pagefile Disk  : Yes", "boot    ", "  Volume 2     C     NTFS   Partition    464 GB  Healthy    Boot"})
            QVERIFY2(!IsBootLine(other), other);
        QCOMPARE(DiskpartScript("    1"), QString("list disk  \nselect disk     1\ndetail disk"));
        QCOMPARE(DiskpartScript(""), QString());
        const QString header = "  Volume ###  Ltr  Label        Fs     Type        Size     Status     Info";
        const QString underline = "  ----------  ---  -----------  -----  ----------  -------  ---------  --------";
        QCOMPARE(tray::VolumeLetters({header, underline, "  Volume 10    F   New Volume   NTFS   Simple      7151 GB  Healthy",
                                      "  Volume 11        Recovery     NTFS   Partition    499 MB  Healthy    Hidden",
                                      "  Volume 123   G   Data         NTFS   Partition      2 TB  Healthy", "  Volume 1"}),
                 (QStringList{"F", "G"}));
        // Without an underline the row is cut at runs of five spaces.
        QCOMPARE(tray::VolumeLetters({"  Volume 1     C   OS           NTFS   Partition    588 GB  Healthy    Boot",
                                      "  Volume 3         Windows RE   NTFS   Partition    499 MB  Healthy    Hidden", "  Volume 4"}),
                 QStringList{"C"});
    }

    void warnings() {
        // Celsius, warning, shutdown, unit, Ignore ticked; then S for the shutdown warning, T for the temperature warning.
        const QList<std::tuple<int, int, int, QString, bool, QString>> temperature = {
            {49, 50, 60, "", false, ""}, {50, 50, 60, "", false, "T"}, {60, 50, 60, "", false, "ST"},
            {50, 122, 200, "F", false, "T"}, {49, 122, 200, "F", false, ""}, {50, 122, 200, "f", false, ""},
            {0, 0, 0, "", false, "ST"}, {0, 33, 32, "F", false, "S"}, {-5, -5, -4, "", false, "T"}, {70, 50, 60, "", true, "S"}};
        for (const auto& [celsius, warning, shutDown, unit, suppressed, shown] : temperature) {
            const auto decide = [&](bool dontShow, bool shutDownDontShow, bool showWarning) {
                const tray::TemperatureWarnings decided = tray::DecideTemperatureWarnings(
                    celsius, {warning, shutDown, dontShow, shutDownDontShow, unit, showWarning}, suppressed);
                return QString(decided.shutDown ? "S" : "") + (decided.temperature ? "T" : "");
            };
            QCOMPARE(decide(false, false, true), shown);
            QCOMPARE(decide(true, false, true), QString(shown).remove('T'));
            QCOMPARE(decide(false, true, true), QString(shown).remove('S'));
            QCOMPARE(decide(false, false, false), QString());
        }
        tray::DriveSettings drive;
        drive.showWarning = true;
        const auto decide = [&](bool passed, int health, int performance) {
            const tray::DriveWarnings warnings = tray::DecideDriveWarnings(passed, health, performance, drive);
            return QString(warnings.health ? "H" : "") + (warnings.performance ? "P" : "");
        };
        QCOMPARE(decide(true, 39, 100) + decide(true, 40, 40) + decide(true, 10, 20) + decide(false, 0, 0), QString("HHP"));
        drive.healthDontShow = true;
        QCOMPARE(decide(true, 10, 20), QString("P"));
        drive = {};
        QCOMPARE(decide(true, 10, 20), QString());
    }

    void gradesAndCompanions() {
        for (const auto& [celsius, grade] : {std::pair{-10, "Normal"}, {49, "Normal"}, {50, "Average"}, {65, "Average"}, {66, "High"}})
            QCOMPARE(tray::TemperatureGrade(celsius), grade + QString("Temp"));
        for (const auto& [value, grade] : {std::pair{100, "Good"}, {80, "Good"}, {79, "Average"}, {40, "Average"}, {39, "Bad"}}) {
            QCOMPARE(tray::HealthGrade(value), grade + QString("Health"));
            QCOMPARE(tray::PerformanceGrade(value), grade + QString("Performance"));
        }
        // Every occurrence of the own name goes, so a folder carrying it breaks the path.
        QCOMPARE(tray::DriveMonitorPath("C:/CorvaneSMART.exe.d/CorvaneSMART.exe", "CorvaneSMART.exe"), QString("C:/.d/CorvaneDriveMonitor.exe"));
        QString mediaName = "HGST HUS724040ALE640 ";
        QCOMPARE(tray::CloneParameter(mediaName), QString("CloneDisk####HGSTHUS724040ALE640"));
        QCOMPARE(mediaName, QString("HGSTHUS724040ALE640"));
        // The process list is filtered for the ".exe" name but searched for ".app".
        using tray::Companion;
        QVERIFY(!tray::CaptureShowsCompanionRunning({"CorvaneDriveMonitor.exe  4242 Console  1  52,100 K"}, Companion::DriveMonitor));
        QVERIFY(tray::CaptureShowsCompanionRunning({"x CorvaneDriveMonitor.app y"}, Companion::DriveMonitor));
        QVERIFY(!tray::CaptureShowsCompanionRunning({"x CorvaneDriveMonitor.app y"}, Companion::DataRecovery));
        QVERIFY(!tray::CaptureShowsCompanionRunning({"corvanedatarecovery.app"}, Companion::DataRecovery));
        QVERIFY(tray::RunningCheckCommand(Companion::DataRecovery, "/a b/tmpFile").endsWith("findstr.exe' CorvaneDataRecovery.exe >> '/a b/tmpFile'"));
    }

    void displayScaling() {
        // DPI, work area, then the scale, the font DPI handed to Qt and the image set.
        const QList<std::tuple<int, QSize, float, QByteArray, QString>> decisions = {
            {96, {1024, 700}, 1.0f, "96", "96"}, {144, {1280, 680}, 1.0f, "96", "96"}, {144, {1920, 1040}, 1.5f, "144", "144"},
            {110, {8000, 8000}, 110.0f / 96.0f, "110", "120"}, {72, {1024, 700}, 0.75f, "72", ""},
            {600, {1920, 1040}, 1.0f, "96", "96"}, {0, {1920, 1040}, 1.0f, "96", "96"}, {168, {3840, 2100}, 1.75f, "168", "144"}};
        for (const auto& [dpi, workArea, scale, fontDpi, imageFolder] : decisions) {
            const ScalingDecision decision = DecideScaling(true, dpi, workArea.width(), workArea.height());
            QCOMPARE(decision.dpiScale, scale);
            QCOMPARE(decision.environment.size(), 1);
            QCOMPARE(decision.environment[0].name + "=" + decision.environment[0].value, "QT_FONT_DPI=" + fontDpi);
            QCOMPARE(ImageFolderFor(ClassScaleFor(decision.dpiScale)), imageFolder);
        }
        for (const auto& [scale, step] : {std::pair{1.01f, 1.0f}, {1.25f, 1.0f}, {1.3f, 1.25f}, {5.0f, 4.75f}, {0.0f, 1.0f},
                                          {1.0f, 0.0f}, {0.75f, 0.0f}, {6.25f, 0.0f}, {std::nanf(""), 0.0f}})
            QCOMPARE(DpiStep(scale), step);
        for (const auto& [scale, classScale] : {std::pair{1.0f, 1.0f}, {1.25f, 1.25f}, {1.3f, 1.5f}, {2.0f, 2.0f}})
            QCOMPARE(ClassScaleFor(scale), classScale);
        const ScalingDecision off = DecideScaling(false, 144, 1920, 1040);
        QCOMPARE(off.dpiScale, 1.0f);
        QCOMPARE(off.environment.size(), 3);
        QCOMPARE(off.environment[0].value + off.environment[1].value + off.environment[2].value, QByteArray("10102"));
    }
};

CORVANE_TEST_MAIN(RulesTests)
#include "RulesTests.moc"
