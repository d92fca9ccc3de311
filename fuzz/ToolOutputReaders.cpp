#include "ToolOutputReaders.h"

#include "disks/BootDisk.h"
#include "disks/DriveList.h"
#include "exec/CaptureFile.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartReport.h"
#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"

#include <utility>

namespace {

// One model lookup per drive: thousands of rows are no machine's drive list and would make the lookup quadratic.
constexpr int ModelLookupsPerCapture = 16;

bool InPercentRange(int value) { return value >= 0 && value <= 100; }
bool IsFullOrHalf(int performance) { return performance == 50 || performance == 100; }

QString ReadCapture(const QStringList& lines) {
    for (const QString& line : lines) {
        if (line.contains('\n') || line.contains('\r')) return "a line keeps a line break: " + line;
        for (const QString& word : SplitWords(line)) {
            if (word.isEmpty() || word.contains(' ')) return "a word is empty or holds a space: \"" + word + '"';
            ToNumber(word);
        }
    }
    return {};
}

QString ReadDriveList(const QStringList& lines) {
    const QStringList entries = disks::DiskIndexEntries(lines);
    for (const QString& entry : entries.mid(0, ModelLookupsPerCapture)) {
        if (entry.startsWith("Index") || entry.startsWith("----")) return "a header line became an entry: " + entry;
        const QString model = disks::ModelTextForIndex(lines, entry.trimmed());
        if (!model.isEmpty() && (!model.endsWith(' ') || model.contains("  ")))
            return QString("model text not one space after each word: \"%1\"").arg(model);
    }
    return {};
}

QString ReadDiskpartDetails(const QStringList& lines) {
    disks::ShowsBootDisk(lines);
    const QStringList letters = tray::VolumeLetters(lines);
    const int volumeRows = lines.filter("Volume ").size();
    if (letters.size() > volumeRows)
        return QString("%1 drive letters from %2 volume rows").arg(letters.size()).arg(volumeRows);
    for (const QString& letter : letters)
        if (letter.size() != 1 || !letter.at(0).isLetter())
            return QString("a drive letter that is no single letter: \"%1\"").arg(letter);
    return {};
}

QString ReadSmartReport(const QStringList& lines) {
    const smart::SmartScan scan = smart::ScanSmartLines(lines);
    if (scan.temperatureLine && !scan.temperatureLine->contains("Temperature"))
        return "temperature taken from a line without \"Temperature\": " + *scan.temperatureLine;
    if (scan.passedSeen && !smart::ReportHasPassed(lines)) return "PASSED seen by the scan but not in the report";
    scan.Temperature();
    for (const QString& line : lines) smart::TemperatureFromLine(line);
    return {};
}

QString ReadHealthAndPerformance(const QStringList& lines) {
    const int health = smart::HealthFromReport(lines);
    if (!InPercentRange(health)) return QString("health %1 %").arg(health);
    const int performance = smart::PerformanceFromReport(lines);
    if (lines.isEmpty() ? performance != 0 : !IsFullOrHalf(performance))
        return QString("performance %1 % from %2 lines").arg(performance).arg(lines.size());
    for (const QString& line : lines) {
        smart::RawAttributeValue(line);
        if (!InPercentRange(smart::NvmeHealthFromLine(line))) return "NVMe health out of range from: " + line;
        if (!IsFullOrHalf(smart::PerformanceForAtaVersion(line))) return "performance neither 50 nor 100 for: " + line;
    }
    return {};
}

QString ReadProcessList(const QStringList& lines) {
    const bool named = !lines.filter("Corvane").isEmpty();
    for (const tray::Companion companion : {tray::Companion::DriveMonitor, tray::Companion::DataRecovery})
        if (tray::CaptureShowsCompanionRunning(lines, companion) && !named)
            return "a companion seen running in a list that never names it";
    return {};
}

}  // namespace

QString BrokenReaderRule(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    const std::pair<const char*, QString (*)(const QStringList&)> readers[] = {
        {"capture", ReadCapture}, {"drive-list", ReadDriveList}, {"diskpart", ReadDiskpartDetails},
        {"smart-report", ReadSmartReport}, {"health-performance", ReadHealthAndPerformance},
        {"process-list", ReadProcessList}};
    for (const auto& [name, read] : readers)
        if (const QString fault = read(lines); !fault.isEmpty()) return name + QString(" reader: ") + fault;
    return {};
}
