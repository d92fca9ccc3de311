#include "DriveList.h"

#include "exec/CaptureFile.h"

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
        if (!line.startsWith(IndexHeader) && !line.startsWith(Underline)) entries.append(line);
    }
    return entries;
}

}  // namespace disks
