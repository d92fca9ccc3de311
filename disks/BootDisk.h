#pragma once

// Recognising the boot disk in diskpart's "detail disk" view, and the script that asks for it.

#include <QString>
#include <QStringList>

namespace disks {

// A "Boot Disk : Yes" line in any letter case, or a volume row whose Info column says "Boot".
bool IsBootLine(const QString& line);

bool ShowsBootDisk(const QStringList& diskpartLines);

// The diskpart script that selects the drive `indexEntry` (used as given, spaces and all) and shows
// its details; empty for an empty entry.
QString DiskpartScript(const QString& indexEntry);

}  // namespace disks
