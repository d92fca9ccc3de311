#pragma once

// A drive's health in percent from its S.M.A.R.T. report: from the "Percentage Used:" line of an
// NVMe health log, otherwise from five error-counting attributes of the ATA attribute table.

#include <QString>
#include <QStringList>

namespace smart {

// 0 to 100; 0 for a report without lines.
int HealthFromReport(const QStringList& lines);

// The tenth word of an attribute-table row as a number; 0 when the row is shorter or the word is not
// a 32-bit number.
int RawAttributeValue(const QString& row);

// Health from a "Percentage Used:" line.
int NvmeHealthFromLine(const QString& line);

}  // namespace smart
