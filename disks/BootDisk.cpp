#include "BootDisk.h"

#include <algorithm>

namespace disks {

bool IsBootLine(const QString& line) {
    if (line.contains(QLatin1String("Boot    "))) return true;
    return line.contains(QLatin1String("Boot Disk"), Qt::CaseInsensitive) &&
           line.contains(QLatin1String("Yes"), Qt::CaseInsensitive);
}

bool ShowsBootDisk(const QStringList& diskpartLines) {
    return std::any_of(diskpartLines.begin(), diskpartLines.end(), IsBootLine);
}

QString DiskpartScript(const QString& indexEntry) {
    if (indexEntry.isEmpty()) return {};
    return QStringLiteral("list disk  \nselect disk ") + indexEntry + QStringLiteral("\ndetail disk");
}

}  // namespace disks
