#pragma once

// A drive's performance in percent, derived from its interface generation: NVMe and ATA from the
// third generation on count as 100, the first two ATA generations as 50.

#include <QString>
#include <QStringList>

namespace smart {

// 0 for a report without lines; 100 when it names no ATA version.
int PerformanceFromReport(const QStringList& lines);

// The performance of one "ATA Version is:" text, e.g. "ATA8-ACS T13/1699-D revision 4".
int PerformanceForAtaVersion(const QString& versionText);

}  // namespace smart
