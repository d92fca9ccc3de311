#include "ToolOutputReaders.h"

#include "disks/BootDisk.h"
#include "disks/DriveList.h"
#include "exec/CaptureFile.h"
#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartReport.h"
#include "tray/CompanionLauncher.h"
#include "tray/DiskOverview.h"

#include <algorithm>

namespace {

// The monitor looks up one model per drive; a capture of thousands of rows is no machine's drive list
// and would only make the lookup quadratic.
constexpr int ModelLookupsPerCapture = 16;

bool InPercentRange(int value) { return value >= 0 && value <= 100; }

QString ReadCapture(const QByteArray& capture) {
    for (const QString& line : DecodeCaptureLines(capture)) {
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            return QStringLiteral("a line keeps a line break: ") + line;
        for (const QString& word : SplitWords(line)) {
            if (word.isEmpty() || word.contains(QLatin1Char(' ')))
                return QStringLiteral("a word is empty or holds a space: \"%1\"").arg(word);
            ToNumber(word);
        }
    }
    return {};
}

QString ReadDriveList(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    const QStringList entries = disks::DiskIndexEntries(lines);
    for (int i = 0; i < std::min<int>(entries.size(), ModelLookupsPerCapture); ++i) {
        if (entries[i].startsWith(QLatin1String("Index")) || entries[i].startsWith(QLatin1String("----")))
            return QStringLiteral("a header line became an index entry: ") + entries[i];
        const QString model = disks::ModelTextForIndex(lines, entries[i].trimmed());
        if (!model.isEmpty() && (!model.endsWith(QLatin1Char(' ')) || model.contains(QLatin1String("  "))))
            return QStringLiteral("model text not one space after each word: \"%1\"").arg(model);
    }
    return {};
}

QString ReadDiskpartDetails(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    disks::ShowsBootDisk(lines);
    const QStringList letters = tray::VolumeLetters(lines);
    const auto volumeRows = std::count_if(lines.begin(), lines.end(),
                                          [](const QString& line) { return line.contains(QLatin1String("Volume ")); });
    if (letters.size() > volumeRows)
        return QStringLiteral("%1 drive letters from %2 volume rows").arg(letters.size()).arg(volumeRows);
    for (const QString& letter : letters) {
        if (letter.size() != 1 || !letter.at(0).isLetter())
            return QStringLiteral("a drive letter that is no single letter: \"%1\"").arg(letter);
    }
    return {};
}

QString ReadSmartReport(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    const smart::SmartScan scan = smart::ScanSmartLines(lines);
    if (scan.temperatureLine && !scan.temperatureLine->contains(QLatin1String("Temperature")))
        return QStringLiteral("temperature taken from a line without \"Temperature\": ") + *scan.temperatureLine;
    if (scan.passedSeen && !smart::ReportHasPassed(lines))
        return QStringLiteral("PASSED seen by the scan but not in the report");
    scan.Temperature();
    for (const QString& line : lines) smart::TemperatureFromLine(line);
    return {};
}

QString ReadHealthAndPerformance(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    const int health = smart::HealthFromReport(lines);
    if (!InPercentRange(health)) return QStringLiteral("health %1 %").arg(health);
    const int performance = smart::PerformanceFromReport(lines);
    const bool performanceSound = lines.isEmpty() ? performance == 0 : performance == 50 || performance == 100;
    if (!performanceSound) return QStringLiteral("performance %1 % from %2 lines").arg(performance).arg(lines.size());
    for (const QString& line : lines) {
        smart::RawAttributeValue(line);
        const int nvmeHealth = smart::NvmeHealthFromLine(line);
        if (!InPercentRange(nvmeHealth)) return QStringLiteral("NVMe health %1 % from: ").arg(nvmeHealth) + line;
        const int generation = smart::PerformanceForAtaVersion(line);
        if (generation != 50 && generation != 100)
            return QStringLiteral("performance %1 % for the version text: ").arg(generation) + line;
    }
    return {};
}

QString ReadProcessList(const QByteArray& capture) {
    const QStringList lines = DecodeCaptureLines(capture);
    for (const tray::Companion companion : {tray::Companion::DriveMonitor, tray::Companion::DataRecovery}) {
        const bool named = std::any_of(lines.begin(), lines.end(),
                                       [](const QString& line) { return line.contains(QLatin1String("Corvane")); });
        if (tray::CaptureShowsCompanionRunning(lines, companion) && !named)
            return QStringLiteral("a companion seen running in a list that never names it");
    }
    return {};
}

}  // namespace

const std::vector<ToolOutputReader>& ToolOutputReaders() {
    static const std::vector<ToolOutputReader> readers = {
        {"capture", ReadCapture},
        {"drive-list", ReadDriveList},
        {"diskpart", ReadDiskpartDetails},
        {"smart-report", ReadSmartReport},
        {"health-performance", ReadHealthAndPerformance},
        {"process-list", ReadProcessList},
    };
    return readers;
}

const ToolOutputReader* ToolOutputReaderNamed(const QString& name) {
    for (const ToolOutputReader& reader : ToolOutputReaders()) {
        if (name == QLatin1String(reader.name)) return &reader;
    }
    return nullptr;
}
