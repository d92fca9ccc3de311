#pragma once

// Reading the drive lists that WMIC and PowerShell print: a header line, possibly an underline of
// dashes, then one row per drive with its index first and, when asked for, its model.

#include <QString>
#include <QStringList>

namespace disks {

// Column headers and the dashes under them, wherever on the line they stand.
bool IsDriveListHeader(const QString& line);

// The model words of the first row whose index equals `index`, each followed by one space; empty
// when no row has that index.
QString ModelTextForIndex(const QStringList& lines, const QString& index);

// No machine has more drives than this; a longer list is not a drive list and is cut here, so that no
// tool output can make a check run tools without end.
inline constexpr int LargestDriveList = 64;

// Every line that begins with neither "Index" nor "----", untouched, up to LargestDriveList of them:
// blank lines and the padding of right-aligned indices stay, so readers trim an entry before they use it.
QStringList DiskIndexEntries(const QStringList& lines);

// Whether an entry of the list names a drive: a whole number once trimmed. Entries that do not cost no
// tool runs.
bool IsDriveIndex(const QString& entry);

}  // namespace disks
