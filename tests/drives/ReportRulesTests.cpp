#include "exec/CaptureFile.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartCommand.h"
#include "smart/SmartReport.h"

#include <QtTest>

using namespace smart;

namespace {

// A row of the attribute table as "smartctl -a" prints it: ten words, the raw value last.
QString Row(const QString& name, int raw) {
    return QStringLiteral("  5 %1 0x0033 100 100 010 Pre-fail Always - %2").arg(name).arg(raw);
}

const QString NvmeHeader = QStringLiteral("SMART/Health Information (NVMe Log 0x02)");

QStringList CorpusReport(const QString& name) {
    return ReadCaptureLines(QStringLiteral(CORVANE_CORPUS_DIR "/smartctl/") + name).value_or(QStringList());
}

}  // namespace

class ReportRulesTests : public QObject {
    Q_OBJECT

private slots:
    void temperatureComesFromTheTwoLineShapes_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("temperature");
        QTest::newRow("attribute row, raw value with brackets")
            << "194 Temperature_Celsius 0x0022 031 040 000 Old_age Always - 31 (0 22 0 0 0)" << 31;
        QTest::newRow("attribute row without the updated column") << "194 Temperature_Celsius 0x0022 091 086 042 Old_age - 24" << 0;
        QTest::newRow("brief attribute row: the tenth word is Min/Max")
            << "194 Temperature_Celsius -O---K 038 019 000 - 62 (Min/Max 0/81)" << 0;
        QTest::newRow("NVMe line") << "Temperature:                        41 Celsius" << 41;
        QTest::newRow("two words") << "Temperature: 7" << 7;
        QTest::newRow("SCSI current temperature") << "Current Drive Temperature:     36 C" << 0;
        QTest::newRow("one word") << "Temperature" << 0;
        QTest::newRow("value not a number") << "Temperature Warning: Enabled" << 0;
    }
    void temperatureComesFromTheTwoLineShapes() {
        QFETCH(QString, line);
        QFETCH(int, temperature);
        QCOMPARE(TemperatureFromLine(line), temperature);
    }

    void scanStopsAtTheFirstTemperatureLine() {
        const SmartScan scan = ScanSmartLines({"Temperature: 41 Celsius", "Temperature: 99 Celsius", "PASSED"});
        QCOMPARE(scan.temperatureLine.value_or(QString()), QStringLiteral("Temperature: 41 Celsius"));
        QCOMPARE(scan.Temperature(), 41);
        QVERIFY(!scan.passedSeen);
        QCOMPARE(ScanSmartLines({"no such line"}).Temperature(), 0);
        QVERIFY(!ScanSmartLines({}).temperatureLine);
    }

    void passedMarkerHasTwoScopes() {
        const QStringList afterTemperature{"Temperature: 41 Celsius", "test result: PASSED"};
        QVERIFY(!ScanSmartLines(afterTemperature).passedSeen);
        QVERIFY(ReportHasPassed(afterTemperature));
        QVERIFY(ScanSmartLines({"test result: PASSED", "194 Temperature_Celsius"}).passedSeen);
        QVERIFY(ScanSmartLines({"x", "test result: PASSED"}).passedSeen);
        QVERIFY(!ScanSmartLines({"test result: passed"}).passedSeen);
        QVERIFY(!ReportHasPassed({"test result: Passed", "FAILED!"}));
    }

    void fahrenheitTruncatesTowardZero() {
        const QList<QPair<int, int>> pairs{{0, 32}, {37, 98}, {-40, -40}, {36, 96}, {50, 122}, {60, 140}, {-1, 31}, {1, 33}};
        for (const auto& pair : pairs) QCOMPARE(ToFahrenheit(pair.first), pair.second);
    }

    void deviceNamesStopAtTheNinthDrive() {
        QCOMPARE(DeviceNameForIndex("0"), QStringLiteral("sda"));
        QCOMPARE(DeviceNameForIndex("8"), QStringLiteral("sdi"));
        for (const char* index : {"9", "", " 0", "0 ", "00", "-1", "a"}) QCOMPARE(DeviceNameForIndex(index), QString());
    }

    void commandLineNamesTheToolOrItsStoredPath() {
        const QString capture = "/tmp/Ana María/Temp.txt";
        QCOMPARE(SmartToolCommand("sda", capture, false, "ignored"),
                 QStringLiteral("smartctl64Bit.exe -a  /dev/sda >> '/tmp/Ana María/Temp.txt'"));
        QCOMPARE(SmartToolCommand("", capture, false, ""),
                 QStringLiteral("smartctl64Bit.exe -a  /dev/ >> '/tmp/Ana María/Temp.txt'"));
        QCOMPARE(SmartToolCommand("sdb", capture, true, "/opt/Corvane Tools/smartctl64Bit.exe"),
                 QStringLiteral("'/opt/Corvane Tools/smartctl64Bit.exe' -a /dev/sdb >> '/tmp/Ana María/Temp.txt'"));
    }

    void healthFollowsTheAttributeRules_data() {
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<int>("health");
        const QString realloc = "Reallocated_Sector_Ct";
        const QString spin = "Spin_Retry_Count";
        const QString events = "Reallocated_Event_Count";
        const QString pending = "Current_Pending_Sector";
        const QString offline = "Offline_Uncorrectable";
        QTest::newRow("all five clean") << QStringList{Row(realloc, 0), Row(spin, 0), Row(events, 0), Row(pending, 0), Row(offline, 0)} << 100;
        QTest::newRow("reallocated 10, pending 5") << QStringList{Row(realloc, 10), Row(pending, 5)} << 87;
        QTest::newRow("reallocated 65") << QStringList{Row(realloc, 65), Row(offline, 0)} << 35;
        QTest::newRow("reallocated 71, pending 82") << QStringList{Row(realloc, 71), Row(pending, 82)} << 16;
        QTest::newRow("events 50") << QStringList{Row(realloc, 0), Row(events, 50)} << 70;
        QTest::newRow("events 51") << QStringList{Row(realloc, 0), Row(events, 51)} << 69;
        QTest::newRow("events 52 are capped") << QStringList{Row(realloc, 0), Row(events, 52)} << 70;
        QTest::newRow("pending 81") << QStringList{Row(realloc, 0), Row(pending, 81)} << 51;
        QTest::newRow("pending 82 are capped") << QStringList{Row(realloc, 0), Row(pending, 82)} << 52;
        QTest::newRow("spin retries 20") << QStringList{Row(realloc, 0), Row(spin, 20)} << 40;
        QTest::newRow("spin retries 21 are capped") << QStringList{Row(realloc, 0), Row(spin, 21)} << 40;
        QTest::newRow("offline 69") << QStringList{Row(realloc, 0), Row(offline, 69)} << 31;
        QTest::newRow("offline 71 are capped") << QStringList{Row(realloc, 0), Row(offline, 71)} << 30;
        QTest::newRow("the long attribute name") << QStringList{Row("Reallocated_Sector_Count", 20)} << 80;
        QTest::newRow("a later reallocated row discards earlier scaling")
            << QStringList{Row(pending, 82), Row(realloc, 10)} << 90;
        QTest::newRow("short rows count as 0") << QStringList{"  5 Reallocated_Sector_Ct PO--CK 100 100 005 - 500"} << 100;
        QTest::newRow("raw value beyond 32 bits counts as 0") << QStringList{"  5 Reallocated_Sector_Ct 0x0033 100 100 024 Pre-fail Always - 8589934592000"} << 100;
        QTest::newRow("huge raw values do not overflow") << QStringList{Row(realloc, 0), Row(spin, 2147483647), Row(offline, -2147483647 - 1)} << 100;
        // Drives without a reallocated-sector row start from full health.
        QTest::newRow("only a clean pending row") << QStringList{Row(pending, 0)} << 100;
        QTest::newRow("renamed attribute 5 and pending 81") << QStringList{Row("Reallocate_NAND_Blk_Cnt", 3), Row(pending, 81)} << 51;
        QTest::newRow("no attribute rows") << QStringList{"SMART overall-health self-assessment test result: PASSED"} << 100;
        QTest::newRow("empty report") << QStringList{} << 0;
    }
    void healthFollowsTheAttributeRules() {
        QFETCH(QStringList, report);
        QFETCH(int, health);
        QCOMPARE(HealthFromReport(report), health);
    }

    void nvmeHealthComesFromPercentageUsed_data() {
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<int>("health");
        const auto used = [](const QString& percent) { return "Percentage Used:                    " + percent; };
        QTest::newRow("0 %") << QStringList{NvmeHeader, used("0%")} << 100;
        QTest::newRow("1 %") << QStringList{NvmeHeader, used("1%")} << 100;
        QTest::newRow("2 %") << QStringList{NvmeHeader, used("2%")} << 98;
        QTest::newRow("120 % is clamped at 0") << QStringList{NvmeHeader, used("120%")} << 0;
        QTest::newRow("no percentage line") << QStringList{NvmeHeader, "Temperature: 40 Celsius"} << 100;
        QTest::newRow("percentage before the header is ignored")
            << QStringList{used("50%"), Row("Reallocated_Sector_Ct", 0), NvmeHeader, used("10%")} << 90;
        QTest::newRow("after the header attribute names are not read")
            << QStringList{NvmeHeader, Row("Reallocated_Sector_Ct", 65)} << 100;
        QTest::newRow("the first percentage line decides") << QStringList{NvmeHeader, used("30%"), used("5%")} << 70;
        QTest::newRow("no value after the colon") << QStringList{NvmeHeader, "Percentage Used:"} << 100;
    }
    void nvmeHealthComesFromPercentageUsed() {
        QFETCH(QStringList, report);
        QFETCH(int, health);
        QCOMPARE(HealthFromReport(report), health);
    }

    void performanceFollowsTheAtaGeneration_data() {
        QTest::addColumn<QStringList>("report");
        QTest::addColumn<int>("performance");
        QTest::newRow("ATA8 with suffix") << QStringList{"ATA Version is:   ATA8-ACS T13/1699-D revision 4"} << 100;
        QTest::newRow("ATA2 only") << QStringList{"ATA Version is:   ATA2"} << 50;
        QTest::newRow("ATA1 and ATA6") << QStringList{"ATA Version is:   ATA1, ATA6"} << 100;
        QTest::newRow("ATA3") << QStringList{"ATA Version is:   ATA3"} << 100;
        QTest::newRow("generation after a slash") << QStringList{"ATA Version is:   ATA/ATAPI-4 T13/1153D revision 17"} << 100;
        QTest::newRow("bare digit") << QStringList{"ATA Version is:   2"} << 100;
        QTest::newRow("a later version line replaces") << QStringList{"ATA Version is: ATA8", "ATA Version is: ATA1"} << 50;
        QTest::newRow("indented label is not read") << QStringList{"  ATA Version is:   ATA2"} << 100;
        QTest::newRow("SATA version line is not read") << QStringList{"SATA Version is:  ATA2"} << 100;
        QTest::newRow("NVMe header wins") << QStringList{NvmeHeader, "ATA Version is:   ATA1"} << 100;
        QTest::newRow("no version line") << QStringList{"SMART Health Status: OK"} << 100;
        QTest::newRow("empty report") << QStringList{} << 0;
    }
    void performanceFollowsTheAtaGeneration() {
        QFETCH(QStringList, report);
        QFETCH(int, performance);
        QCOMPARE(PerformanceFromReport(report), performance);
    }

    void garbageReadsAsNothingUseful() {
        QRandomGenerator random(20261206);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(random.bounded(4000), Qt::Uninitialized);
            for (char& byte : bytes) byte = static_cast<char>(random.bounded(256));
            if (round % 2) bytes.prepend("\xFF\xFE");
            const QStringList lines = DecodeCaptureLines(bytes) << NvmeHeader + QString(bytes.size(), QChar(':'));
            const int health = HealthFromReport(lines);
            QVERIFY(health >= 0 && health <= 100);
            QVERIFY(QList<int>({50, 100}).contains(PerformanceFromReport(lines)));
            ScanSmartLines(lines).Temperature();
        }
    }

    void everyCorpusReportReads() {
        const QDir corpus(QStringLiteral(CORVANE_CORPUS_DIR "/smartctl"));
        const QStringList files = corpus.entryList({"*.txt"}, QDir::Files);
        QVERIFY2(files.size() >= 100, qPrintable(corpus.path()));
        for (const QString& file : files) {
            const QStringList lines = CorpusReport(file);
            QVERIFY2(!lines.isEmpty(), qPrintable(file));
            const int health = HealthFromReport(lines);
            QVERIFY2(health >= 0 && health <= 100, qPrintable(file));
            QVERIFY2(QList<int>({50, 100}).contains(PerformanceFromReport(lines)), qPrintable(file));
            const SmartScan scan = ScanSmartLines(lines);
            QVERIFY2(!scan.passedSeen || ReportHasPassed(lines), qPrintable(file));
        }
    }

    // Figures worked out by hand from each report's lines.
    void corpusReportsGiveTheirFigures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<bool>("passedBeforeTemperature");
        QTest::addColumn<bool>("passed");
        QTest::addColumn<int>("health");
        QTest::addColumn<int>("performance");
        // Raw 5 is beyond 32 bits (0); 196 is huge: 100 x 0.70. Temperature from the 190 row.
        QTest::newRow("ATA HDD, packed raw values") << "ata-hdd-fujitsu-mhw2080bh-pl-smartctl5.38.txt" << 32 << true << true << 70 << 100;
        // 5.0 rows have nine words, so every raw value reads 0; no temperature line.
        QTest::newRow("old ATA HDD, nine-word rows") << "ata-hdd-hitachi-dk23ba-20-smartctl5.0-25.txt" << 0 << true << true << 100 << 100;
        // 196 = 137 caps at 0.70, 197 = 3: 70 x 98.2 / 100 = 68.74.
        QTest::newRow("ATA HDD, events and pending") << "ata-hdd-hitachi-hts721080g9sa00-smartctl5.37.txt" << 38 << true << true << 69 << 100;
        QTest::newRow("old ATA version, brief rows") << "ata-hdd-ibm-dara-212000-smartctl7.1.txt" << 0 << true << true << 100 << 100;
        // Attribute 5 is Reallocate_NAND_Blk_Cnt; the brief 194 row's tenth word is "0/81".
        QTest::newRow("SATA SSD without reallocated row") << "sata-ssd-crucial-ct1000mx500ssd4-smartctl7.1.txt" << 0 << true << true << 100 << 100;
        QTest::newRow("SATA SSD without attribute 5") << "sata-ssd-kingston-sa400s37240g-smartctl7.1.txt" << 0 << true << true << 100 << 100;
        QTest::newRow("SATA SSD, PASSED with trailing spaces") << "sata-ssd-intel-ssdsc2bb120g6-smartctl7.1.txt" << 32 << true << true << 100 << 100;
        QTest::newRow("NVMe") << "nvme-samsung-970-evo-plus-500gb-smartctl7.2.txt" << 41 << true << true << 100 << 100;
        QTest::newRow("NVMe 42 % used") << "nvme-toshiba-kxg60znv1t02-smartctl7.0.txt" << 42 << true << true << 58 << 100;
        QTest::newRow("failed NVMe, 255 % used") << "failed-nvme-samsung-mzvlb512hajq-smartctl7.1.txt" << 66 << false << false << 0 << 100;
        // 5 = 1876 gives 30, 196 = 254 caps at 0.70 (21), 197 = 3: 21 x 98.2 / 100 = 20.62.
        QTest::newRow("failed ATA HDD") << "failed-ata-hdd-hitachi-dk23aa-12b-smartctl5.30.txt" << 0 << false << false << 21 << 100;
        QTest::newRow("failed ATA HDD, nine-word rows") << "failed-ata-hdd-maxtor-4k080h4-smartctl5.0-24.txt" << 0 << false << false << 100 << 100;
        // The first temperature line is "Temperature Warning: Enabled".
        QTest::newRow("SAS HDD") << "sas-hdd-hgst-huh721212al4204-smartctl7.1.txt" << 0 << false << false << 100 << 100;
        QTest::newRow("USB bridge smartctl cannot read") << "usb-unknown-bridge-0bda-9201-smartctl7.4.txt" << 0 << false << false << 100 << 100;
    }
    void corpusReportsGiveTheirFigures() {
        QFETCH(QString, file);
        const QStringList lines = CorpusReport(file);
        QVERIFY2(!lines.isEmpty(), qPrintable(file));
        const SmartScan scan = ScanSmartLines(lines);
        QTEST(scan.Temperature(), "temperature");
        QTEST(scan.passedSeen, "passedBeforeTemperature");
        QTEST(ReportHasPassed(lines), "passed");
        QTEST(HealthFromReport(lines), "health");
        QTEST(PerformanceFromReport(lines), "performance");
    }
};

QTEST_GUILESS_MAIN(ReportRulesTests)
#include "ReportRulesTests.moc"
