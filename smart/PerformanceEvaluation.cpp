#include "PerformanceEvaluation.h"

namespace smart {

namespace {

const QString NvmeLogHeader = QStringLiteral("SMART/Health Information (NVMe Log");
const QString AtaVersionLabel = QStringLiteral("ATA Version is:");
constexpr int FullPerformance = 100;

struct GenerationClass {
    QStringList marks;
    int performance;
};

// Tested in this order; a version text that matches none counts as current.
const GenerationClass GenerationClasses[] = {
    {{QStringLiteral("ATA8"), QStringLiteral("ATA7"), QStringLiteral("ATA6"), QStringLiteral("ATA5")}, 100},
    {{QStringLiteral("ATA4"), QStringLiteral("ATA3")}, 100},
    {{QStringLiteral("ATA2"), QStringLiteral("ATA1")}, 50},
};

}  // namespace

int PerformanceForAtaVersion(const QString& versionText) {
    for (const GenerationClass& generation : GenerationClasses) {
        for (const QString& mark : generation.marks) {
            if (versionText.contains(mark)) return generation.performance;
        }
    }
    return FullPerformance;
}

int PerformanceFromReport(const QStringList& lines) {
    if (lines.isEmpty()) return 0;
    int performance = FullPerformance;
    for (const QString& line : lines) {
        if (line.contains(NvmeLogHeader)) return FullPerformance;
        if (line.startsWith(AtaVersionLabel)) {
            const QStringList pieces = line.split(QLatin1Char(':'), Qt::SkipEmptyParts);
            performance = PerformanceForAtaVersion(pieces.last().trimmed());
        }
    }
    return performance;
}

}  // namespace smart
