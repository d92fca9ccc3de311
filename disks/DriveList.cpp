#include "DriveList.h"

#include "exec/CaptureFile.h"

#include <algorithm>

namespace disks {

namespace {
const QString IndexHeader = QStringLiteral("Index");
const QString Underline = QStringLiteral("----");
}  // namespace

bool IsDriveListHeader(const QString& line) { return line.contains(IndexHeader) || line.contains(Underline); }

QString ModelTextForIndex(const QStringList& lines, const QString& index) {
    for (const QString& line : lines) {
        if (IsDriveListHeader(line)) continue;
        const QStringList words = SplitWords(line);
        if (words.isEmpty() || words.first().trimmed() != index) continue;
        QString model;
        for (int i = 1; i < words.size(); ++i) model += words[i] + QLatin1Char(' ');
        return model;
    }
    return {};
}

QStringList DiskIndexEntries(const QStringList& lines) {
    QStringList entries;
    for (const QString& line : lines) {
        if (entries.size() == LargestDriveList) break;
        if (!line.startsWith(IndexHeader) && !line.startsWith(Underline)) entries.append(line);
    }
    return entries;
}

bool IsDriveIndex(const QString& entry) {
    const QString index = entry.trimmed();
    return !index.isEmpty() && std::all_of(index.begin(), index.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

}  // namespace disks
