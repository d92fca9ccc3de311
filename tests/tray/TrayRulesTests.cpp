#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"
#include "tray/WarningDecisions.h"

#include <QtTest>

namespace {

const QString Degree = QString(QChar(0x00B0));

tray::TemperatureSettings Limits(int warning, int shutDown, const QString& unit = QString()) {
    tray::TemperatureSettings settings;
    settings.warningValue = warning;
    settings.shutDownValue = shutDown;
    settings.temperatureUnit = unit;
    settings.showWarning = true;
    return settings;
}

}  // namespace

// The rules behind the tray: which warning a reading raises, how each figure is graded and written,
// which drive letters diskpart's volume table yields, and how a companion is found and asked to clone.
class TrayRulesTests : public QObject {
    Q_OBJECT

private slots:
    void temperatureWarningsAreInclusiveAndIndependent_data() {
        QTest::addColumn<int>("celsius");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("warning");
        QTest::addColumn<int>("shutDown");
        QTest::addColumn<bool>("expectShutDown");
        QTest::addColumn<bool>("expectTemperature");
        QTest::newRow("49 below both") << 49 << "" << 50 << 60 << false << false;
        QTest::newRow("50 at the warning") << 50 << "" << 50 << 60 << false << true;
        QTest::newRow("60 at both") << 60 << "" << 50 << 60 << true << true;
        QTest::newRow("50 C is 122 F") << 50 << "F" << 122 << 200 << false << true;
        QTest::newRow("49 C is 120 F") << 49 << "F" << 122 << 200 << false << false;
        QTest::newRow("lower-case f means Celsius") << 50 << "f" << 122 << 200 << false << false;
        QTest::newRow("no reading against zero thresholds") << 0 << "" << 0 << 0 << true << true;
        QTest::newRow("no reading in Fahrenheit is 32") << 0 << "F" << 33 << 32 << true << false;
        QTest::newRow("negative thresholds") << -5 << "" << -5 << -4 << false << true;
    }
    void temperatureWarningsAreInclusiveAndIndependent() {
        QFETCH(int, celsius);
        QFETCH(QString, unit);
        QFETCH(int, warning);
        QFETCH(int, shutDown);
        const tray::TemperatureWarnings decided =
            tray::DecideTemperatureWarnings(celsius, Limits(warning, shutDown, unit), false);
        QFETCH(bool, expectShutDown);
        QFETCH(bool, expectTemperature);
        QCOMPARE(decided.shutDown, expectShutDown);
        QCOMPARE(decided.temperature, expectTemperature);
    }

    void temperatureWarningsRespectEverySwitch() {
        tray::TemperatureSettings settings = Limits(50, 60);
        QVERIFY(tray::DecideTemperatureWarnings(70, settings, false).shutDown);
        QVERIFY(tray::DecideTemperatureWarnings(70, settings, false).temperature);
        const tray::TemperatureWarnings suppressed = tray::DecideTemperatureWarnings(70, settings, true);
        QVERIFY(suppressed.shutDown);
        QVERIFY(!suppressed.temperature);
        settings.dontShow = true;
        QVERIFY(!tray::DecideTemperatureWarnings(70, settings, false).temperature);
        settings.shutDownDontShow = true;
        QVERIFY(!tray::DecideTemperatureWarnings(70, settings, false).shutDown);
        settings = Limits(50, 60);
        settings.showWarning = false;
        const tray::TemperatureWarnings off = tray::DecideTemperatureWarnings(90, settings, false);
        QVERIFY(!off.shutDown && !off.temperature);
    }

    void driveWarningsNeedAPassedReportAndAFigureBelowForty() {
        tray::DriveSettings settings;
        settings.showWarning = true;
        auto decide = [&](bool passed, int health, int performance) {
            const tray::DriveWarnings warnings = tray::DecideDriveWarnings(passed, health, performance, settings);
            return QPair<bool, bool>(warnings.health, warnings.performance);
        };
        QCOMPARE(decide(true, 39, 100), qMakePair(true, false));
        QCOMPARE(decide(true, 40, 40), qMakePair(false, false));
        QCOMPARE(decide(true, 10, 20), qMakePair(true, true));
        QCOMPARE(decide(false, 0, 0), qMakePair(false, false));
        settings.healthDontShow = true;
        QCOMPARE(decide(true, 10, 20), qMakePair(false, true));
        settings.performanceDontShow = true;
        QCOMPARE(decide(true, 10, 20), qMakePair(false, false));
        settings = {};
        QCOMPARE(decide(true, 10, 20), qMakePair(false, false));
    }

    void gradesFollowTheirBands() {
        const QList<QPair<int, QString>> temperatures = {
            {-10, "NormalTemp"}, {49, "NormalTemp"}, {50, "AverageTemp"}, {65, "AverageTemp"}, {66, "HighTemp"}};
        for (const auto& [celsius, grade] : temperatures) QCOMPARE(tray::TemperatureGrade(celsius), grade);
        const QList<QPair<int, QString>> health = {
            {100, "GoodHealth"}, {80, "GoodHealth"}, {79, "AverageHealth"}, {40, "AverageHealth"}, {39, "BadHealth"},
            {0, "BadHealth"}};
        for (const auto& [value, grade] : health) QCOMPARE(tray::HealthGrade(value), grade);
        QCOMPARE(tray::PerformanceGrade(50), QString("AveragePerformance"));
        QCOMPARE(tray::PerformanceGrade(100), QString("GoodPerformance"));
        QCOMPARE(tray::PerformanceGrade(39), QString("BadPerformance"));
    }

    void imagesFollowTheDisplayClass() {
        QCOMPARE(tray::GradeImagePath(1.0f, "NormalTemp"), QString(":/images/96/NormalTemp.png"));
        QCOMPARE(tray::GradeImagePath(1.25f, "AverageHealth"), QString(":/images/120/AverageHealth.png"));
        QCOMPARE(tray::GradeImagePath(2.0f, "BadPerformance"), QString(":/images/144/BadPerformance.png"));
        QCOMPARE(tray::GradeImagePath(0.75f, "Partition"), QString());
    }

    void entryTextsCarryUnitAndPercent() {
        QCOMPARE(tray::TemperatureEntryText(36, ""), "Temperature: 36" + Degree + "C");
        QCOMPARE(tray::TemperatureEntryText(66, "F"), "Temperature: 150" + Degree + "F");
        QCOMPARE(tray::TemperatureEntryText(66, "f"), "Temperature: 66" + Degree + "C");
        QCOMPARE(tray::HealthEntryText(100), QString("Health: 100 %"));
        QCOMPARE(tray::PerformanceEntryText(50), QString("Performance: 50 %"));
        QCOMPARE(tray::PartitionEntryText({"C", "D"}), QString("Partition: C: ,D: "));
        QCOMPARE(tray::PartitionEntryText({}), QString("Partition: "));
        QCOMPARE(tray::TrayIconTextFor(41, ""), "41" + Degree);
        QCOMPARE(tray::TrayIconTextFor(36, "F"), "96" + Degree);
        QCOMPARE(tray::TrayToolTip("41" + Degree), "Corvane Drive Monitor\n41" + Degree);
        QCOMPARE(tray::DiskLabelText("Samsung SSD 980 PRO 1TB "), QString("Disk: Samsung SSD 980 PRO 1TB "));
    }

    void volumeLettersComeFromTheLetterColumn_data() {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("letters");
        const QString header = "  Volume ###  Ltr  Label        Fs     Type        Size     Status     Info";
        const QString underline = "  ----------  ---  -----------  -----  ----------  -------  ---------  --------";
        QTest::newRow("C with a label, a lettered-less volume, D")
            << QStringList{header, underline,
                           "  Volume 1     C   Windows      NTFS   Partition    126 GB  Healthy    Boot",
                           "  Volume 2         System Rese  NTFS   Partition    500 MB  Healthy    System",
                           "  Volume 3     D                NTFS   Partition    221 GB  Healthy"}
            << QStringList{"C", "D"};
        QTest::newRow("volumes numbered 10 and above")
            << QStringList{header, underline,
                           "  Volume 10    F   New Volume   NTFS   Simple      7151 GB  Healthy",
                           "  Volume 11        Recovery     NTFS   Partition    499 MB  Healthy    Hidden",
                           "  Volume 123   G   Data         NTFS   Partition      2 TB  Healthy"}
            << QStringList{"F", "G"};
        QTest::newRow("no underline: cut at runs of five spaces")
            << QStringList{"  Volume 1     C   OS           NTFS   Partition    588 GB  Healthy    Boot",
                           "  Volume 3         Windows RE   NTFS   Partition    499 MB  Healthy    Hidden",
                           "  Volume 4"}
            << QStringList{"C"};
        QTest::newRow("disk lines and blanks add nothing")
            << QStringList{"Disk 0 is now the selected disk.", "", "Boot Disk  : Yes", "Volume"} << QStringList{};
        QTest::newRow("a row shorter than the letter column")
            << QStringList{header, underline, "  Volume 1"} << QStringList{};
    }
    void volumeLettersComeFromTheLetterColumn() {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, letters);
        QCOMPARE(tray::VolumeLetters(lines), letters);
    }

    void everyCorpusVolumeTableGivesLettersOnly() {
        QDir corpus(QStringLiteral(CORVANE_CORPUS_DIR "/windows"));
        int tables = 0;
        for (const QString& name : corpus.entryList({"diskpart*"}, QDir::Files)) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QStringList lines = QString::fromLatin1(file.readAll()).split('\n');
            if (!lines.join('\n').contains("Volume ###")) continue;
            ++tables;
            for (const QString& letter : tray::VolumeLetters(lines)) {
                QCOMPARE(letter.size(), 1);
                QVERIFY2(letter.at(0).isLetter(), qPrintable(name));
            }
        }
        QVERIFY(tables >= 5);
    }

    void companionsAreFoundBesideTheMonitor() {
        QCOMPARE(tray::DriveMonitorPath("C:/Program Files/Corvane/CorvaneSMART.exe", "CorvaneSMART.exe"),
                 QString("C:/Program Files/Corvane/CorvaneDriveMonitor.exe"));
        QCOMPARE(tray::DriveMonitorPath("/opt/corvane/CorvaneSMART", "CorvaneSMART"),
                 QString("/opt/corvane/CorvaneDriveMonitor.exe"));
        // Every occurrence of the own name goes, so a folder carrying it breaks the path.
        QCOMPARE(tray::DriveMonitorPath("C:/CorvaneSMART.exe.d/CorvaneSMART.exe", "CorvaneSMART.exe"),
                 QString("C:/.d/CorvaneDriveMonitor.exe"));
    }

    void cloneParameterDropsEverySpace() {
        QString mediaName = "HGST HUS724040ALE640 ";
        QCOMPARE(tray::CloneParameter(mediaName), QString("CloneDisk####HGSTHUS724040ALE640"));
        QCOMPARE(mediaName, QString("HGSTHUS724040ALE640"));
        QCOMPARE(tray::CloneParameter(mediaName), QString("CloneDisk####HGSTHUS724040ALE640"));
        QString empty;
        QCOMPARE(tray::CloneParameter(empty), QString("CloneDisk####"));
    }

    void onlyTheAppNameCountsAsRunning() {
        const QStringList tasklistLine = {"CorvaneDriveMonitor.exe       4242 Console       1     52,100 K"};
        QVERIFY(!tray::CaptureShowsCompanionRunning(tasklistLine, tray::Companion::DriveMonitor));
        QVERIFY(tray::CaptureShowsCompanionRunning({"x CorvaneDriveMonitor.app y"}, tray::Companion::DriveMonitor));
        QVERIFY(!tray::CaptureShowsCompanionRunning({"x CorvaneDriveMonitor.app y"}, tray::Companion::DataRecovery));
        QVERIFY(tray::CaptureShowsCompanionRunning({"CorvaneDataRecovery.app"}, tray::Companion::DataRecovery));
        QVERIFY(!tray::CaptureShowsCompanionRunning({"corvanedrivemonitor.app"}, tray::Companion::DriveMonitor));
        QVERIFY(!tray::CaptureShowsCompanionRunning({}, tray::Companion::DriveMonitor));
    }

    void runningCheckPipesTasklistThroughFindstr() {
        const QString command = tray::RunningCheckCommand(tray::Companion::DataRecovery, "/tmp/a b/tmpFile");
        QVERIFY(command.contains("tasklist.exe' | '"));
        QVERIFY(command.contains("findstr.exe' CorvaneDataRecovery.exe >> '/tmp/a b/tmpFile'"));
    }
};

QTEST_GUILESS_MAIN(TrayRulesTests)
#include "TrayRulesTests.moc"
