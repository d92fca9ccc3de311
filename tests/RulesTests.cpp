#include "app/DisplayScaling.h"
#include "disks/BootDisk.h"
#include "disks/DriveList.h"
#include "disks/PowerShellQuery.h"
#include "exec/CaptureFile.h"
#include "fuzz/ToolOutputReaders.h"
#include "platform/Platform.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartCommand.h"
#include "smart/SmartReport.h"
#include "support/ProcessTestSupport.h"
#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"
#include "tray/TrayIcon.h"
#include "tray/WarningDecisions.h"

using namespace smart;

// The monitor's decisions as functions of text and values, by the tables and real tool outputs of tests/data.
namespace {

QString DataPath(const QString& relative) { return QStringLiteral(CORVANE_TEST_DATA "/") + relative; }
QString YesNo(bool value) { return value ? "yes" : "no"; }
// A yes-or-no word of a table row, `absent` where the row ends before it.
bool Yes(const QStringList& words, int at, const char* absent = "no") { return words.value(at, absent) == "yes"; }
QString Number(double value) { return QString::number(value); }

// Bytes written with "\xHH" escapes, and text with its control characters written so.
QByteArray Unescaped(const QString& text) {
    QByteArray bytes = text.toUtf8();
    for (int at; (at = bytes.indexOf("\\x")) >= 0;) bytes.replace(at, 4, QByteArray::fromHex(bytes.mid(at + 2, 2)));
    return bytes;
}
QString Escaped(QString text) {
    for (int at = text.size() - 1; at >= 0; --at)
        if (text[at] < QChar(0x20)) text.replace(at, 1, QString("\\x%1").arg(text[at].unicode(), 2, 16, QChar('0')));
    return text;
}

// A report in its table form: " | " between lines, "Name=N" for an attribute row as "smartctl -a"
// prints it (ten words, the raw value last), "NVMe" for the NVMe log header.
QStringList Report(QString table) {
    static const QRegularExpression nvme("(^| \\| )NVMe(?= \\| |$)"), row("(^| \\| )([^\\s=]+)=([^\\s=]+)(?= \\| |$)");
    table.replace(nvme, "\\1SMART/Health Information (NVMe Log 0x02)");
    return table.replace(row, "\\1  5 \\2 0x0033 100 100 010 Pre-fail Always - \\3").split(" | ", Qt::SkipEmptyParts);
}

// The rules of tests/data/rules.txt, each from its input to its result as text.
const QHash<QString, std::function<QString(const QString&)>> Rules = {
    {"scan",
     [](const QString& table) {
         const SmartScan scan = ScanSmartLines(Report(table));
         return Number(scan.Temperature()) + ' ' + YesNo(scan.passedSeen) + ' ' + YesNo(ReportHasPassed(Report(table)));
     }},
    {"health", [](const QString& report) { return Number(HealthFromReport(Report(report))); }},
    {"performance", [](const QString& report) { return Number(PerformanceFromReport(Report(report))); }},
    {"fahrenheit", [](const QString& celsius) { return Number(ToFahrenheit(celsius.toInt())); }},
    {"capture",
     [](const QString& bytes) {
         QString lines;
         for (const QString& line : DecodeCaptureLines(Unescaped(bytes))) lines += '[' + Escaped(line) + ']';
         return lines;
     }},
    {"words", [](const QString& line) { return Escaped(SplitWords(QString::fromUtf8(Unescaped(line))).join('|')); }},
    {"number", [](const QString& word) { return Number(ToNumber(word)); }},
    {"drive-index", [](const QString& entry) { return YesNo(disks::IsDriveIndex(entry)); }},
    {"drive-list-length",
     [](const QString& rows) {
         return Number(disks::DiskIndexEntries(QVector<QString>(rows.toInt(), "0").toList()).size());
     }},
    {"model",
     [](const QString& list) {
         const QStringList lines = QString::fromUtf8(Unescaped(list)).split(" | ");
         return '[' + disks::ModelTextForIndex(lines.mid(1), lines[0]) + ']';
     }},
    {"index-entries",
     [](const QString& list) { return '[' + disks::DiskIndexEntries(list.split(" | ")).join("][") + ']'; }},
    {"companion-running",
     [](const QString& row) {
         const bool recovery = row.startsWith("DataRecovery ");
         return YesNo(tray::CaptureShowsCompanionRunning(
             {row.section(' ', 1)}, recovery ? tray::Companion::DataRecovery : tray::Companion::DriveMonitor));
     }},
    {"smart-command",
     [](const QString& row) {
         const QStringList parts = row.split(" | ");
         QString problem;
         const QString command = SmartToolCommand(parts[0], parts[1], parts[2], parts[3], problem);
         return command.isEmpty() ? "refused: " + problem : command;
     }},
    {"diskpart-script", [](const QString& entry) { return Escaped(disks::DiskpartScript(entry)); }},
    {"drive-monitor-path", [](const QString& path) { return tray::DriveMonitorPath(path, "CorvaneSMART.exe"); }},
    {"clone-parameter", [](QString mediaName) { return tray::CloneParameter(mediaName) + ' ' + mediaName; }},
    {"running-check",
     [](const QString& capture) { return tray::RunningCheckCommand(tray::Companion::DataRecovery, capture); }},
    {"menu-title", [](const QString& model) { return tray::DriveMenuTitle(model); }},
    {"tray-tooltip",
     [](const QString& values) {
         const QStringList w = SplitWords(values);
         return Escaped(tray::TrayToolTip(w[0] == "-" ? QString() : w[0],
                                          {w.contains("no-folder"), w.contains("no-rights")}));
     }},
    {"powershell-path", [](const QString& path) { return disks::PowerShellLiteral(path); }},
    {"tool-path",
     [](const QString& setting) {
         std::string problem;
         const std::string path = platform::LiteralToolPath(Unescaped(setting).toStdString(), problem);
         return path.empty() ? "refused: " + QString::fromStdString(problem) : QString::fromStdString(path);
     }},
    {"device", [](const QString& index) { return DeviceNameForIndex(index); }},
    {"boot-line", [](const QString& line) { return YesNo(disks::IsBootLine(line)); }},
    {"partition-entry",
     [](const QString& report) { return '[' + tray::PartitionEntryText(tray::VolumeLetters(Report(report))) + ']'; }},
    {"temperature-warnings",
     [](const QString& values) {
         const QStringList w = SplitWords(values);
         const tray::TemperatureWarnings warnings = tray::DecideTemperatureWarnings(
             w[0].toInt(), {w[1].toInt(), w[2].toInt(), Yes(w, 5), Yes(w, 6), w[3], Yes(w, 7, "yes")}, Yes(w, 4));
         return QString(warnings.shutDown ? "S" : "") + (warnings.temperature ? "T" : "");
     }},
    {"drive-warnings",
     [](const QString& values) {
         const QStringList w = SplitWords(values);
         const tray::DriveWarnings warnings =
             tray::DecideDriveWarnings(Yes(w, 0), w[1].toInt(), w[2].toInt(), {Yes(w, 3), Yes(w, 4), Yes(w, 5, "yes")});
         return QString(warnings.health ? "H" : "") + (warnings.performance ? "P" : "");
     }},
    {"health-check",
     [](const QString& report) {
         const tray::HealthCheckReading reading = tray::ReadHealthCheck(Report(report));
         return YesNo(reading.passed) + ' ' + Number(reading.health) + ' ' + Number(reading.performance);
     }},
    {"grades",
     [](const QString& text) {
         const int value = text.toInt();
         return tray::TemperatureGrade(value) + ' ' + tray::HealthGrade(value) + ' ' + tray::PerformanceGrade(value);
     }},
    {"scaling",
     [](const QString& values) {
         const QStringList words = SplitWords(values), area = words[1].split('x');
         const ScalingDecision decision =
             DecideScaling(words.value(2) != "off", words[0].toInt(), area[0].toInt(), area[1].toInt());
         QStringList environment;
         for (const auto& setting : decision.environment) environment << setting.name + '=' + setting.value;
         const QString folder = ImageFolderFor(ClassScaleFor(decision.dpiScale));
         return Number(decision.dpiScale) + ' ' + environment.join(',') + ' ' + (folder.isEmpty() ? "-" : folder);
     }},
    {"tray-text-size",
     [](const QString& values) {
         const QStringList w = SplitWords(values);
         return Number(tray::TrayTextPixelSize(w[0].toInt(), w[1].toDouble(), w[2].toInt()));
     }},
    {"scale",
     [](const QString& text) { return Number(DpiStep(text.toFloat())) + ' ' + Number(ClassScaleFor(text.toFloat())); }},
    {"reading",
     [](const QString& file) {
         const QStringList lines = ReadCaptureLines(DataPath(file)).value_or(QStringList());
         const QString letters = tray::VolumeLetters(lines).join(',');
         const SmartScan scan = ScanSmartLines(lines);
         if (lines.isEmpty()) return QString("nothing read");
         if (!file.startsWith("smartctl/"))
             return YesNo(disks::ShowsBootDisk(lines)) + ' ' + (letters.isEmpty() ? "-" : letters);
         return QStringList{Number(scan.Temperature()), YesNo(scan.passedSeen), YesNo(ReportHasPassed(lines)),
                            Number(HealthFromReport(lines)), Number(PerformanceFromReport(lines))}.join(' ');
     }},
};

}  // namespace

class RulesTests : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules("corvane.*.debug=false"); }

    void rules_data() { AddRuleRows("rules.txt"); }
    void rules() {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        // A rule written "rule@posix" or "rule@windows" holds on that system only.
        const QString system = platform::PathSeparator() == '\\' ? "windows" : "posix";
        if (rule.contains('@') && rule.section('@', 1) != system) QSKIP("a rule of the other system");
        rule = rule.section('@', 0, 0);
        QVERIFY2(Rules.contains(rule), qPrintable("no rule " + rule));
        QTEST(Rules[rule](input), "result");
    }

    // What the monitor reads from real tool outputs, by the same rules.
    void realOutputsReadAsWorkedOut_data() { AddRuleRows("readings.txt"); }
    void realOutputsReadAsWorkedOut() { rules(); }

    // Every real output and every input that once broke a reader, through every reader of tool output.
    void everyReaderStaysSound() {
        for (const char* folder : {"smartctl", "windows", "../fuzz-regressions/inputs"}) {
            for (QDirIterator files(DataPath(folder), QDir::Files, QDirIterator::Subdirectories); files.hasNext();) {
                const QString fault = BrokenReaderRule(ReadBytes(files.next()));
                QVERIFY2(fault.isEmpty(), qPrintable(files.filePath() + ": " + fault));
            }
        }
    }

#ifndef Q_OS_WIN
    // Wine's own WMIC, as the test command captures it: UTF-16 with a mark, one entry per drive.
    void wineDriveListReadsOneEntryPerDrive() {
        const QString wine = qEnvironmentVariable("CORVANE_WINE_WMIC_CAPTURE");
        if (wine.isEmpty()) QSKIP("no capture of Wine's WMIC in CORVANE_WINE_WMIC_CAPTURE (scripts/run-tests.sh makes one)");
        QVERIFY(ReadBytes(wine).startsWith("\xFF\xFE"));
        const QStringList entries = disks::DiskIndexEntries(ReadCaptureLines(wine).value_or(QStringList()));
        QVERIFY(!entries.isEmpty());
        for (int i = 0; i < entries.size(); ++i)
            if (!entries[i].trimmed().isEmpty()) QCOMPARE(entries[i].trimmed(), QString::number(i));
    }
#endif
};

CORVANE_TEST_MAIN(RulesTests)
#include "RulesTests.moc"
