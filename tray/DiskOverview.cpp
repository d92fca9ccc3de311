#include "DiskOverview.h"

#include "app/DisplayScaling.h"
#include "smart/SmartReport.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace tray {

namespace {

const QChar DegreeSign(0x00B0);

QString ThreeWayGrade(int value, int averageFrom, int goodFrom, const char* good, const char* average,
                      const char* bad) {
    if (value >= goodFrom) return QString::fromLatin1(good);
    if (value >= averageFrom) return QString::fromLatin1(average);
    return QString::fromLatin1(bad);
}

struct ColumnSpan {
    int start = -1;
    int length = 0;
};

// diskpart underlines its column titles with runs of dashes; the second run spans the letter column
// whatever the width of the volume number before it.
ColumnSpan LetterColumn(const QStringList& lines) {
    static const QRegularExpression dashRun(QStringLiteral("-+"));
    for (const QString& line : lines) {
        if (!line.trimmed().startsWith(QStringLiteral("----------"))) continue;
        auto runs = dashRun.globalMatch(line);
        if (!runs.hasNext()) continue;
        runs.next();
        if (!runs.hasNext()) continue;
        const QRegularExpressionMatch letterRun = runs.next();
        return {letterRun.capturedStart(), letterRun.capturedLength()};
    }
    return {};
}

// Without an underline the row is cut at runs of five spaces and the letter opens the second piece.
QChar LetterBySpacing(const QString& row) {
    const QStringList pieces = row.split(QStringLiteral("     "), Qt::SkipEmptyParts);
    if (pieces.size() < 2) return QChar(' ');
    return pieces[1].at(0);
}

}  // namespace

QString TemperatureGrade(int celsius) {
    if (celsius > 65) return QStringLiteral("HighTemp");
    if (celsius >= 50) return QStringLiteral("AverageTemp");
    return QStringLiteral("NormalTemp");
}

QString HealthGrade(int health) {
    return ThreeWayGrade(health, 40, 80, "GoodHealth", "AverageHealth", "BadHealth");
}

QString PerformanceGrade(int performance) {
    return ThreeWayGrade(performance, 40, 80, "GoodPerformance", "AveragePerformance", "BadPerformance");
}

QString GradeImagePath(float classScale, const QString& grade) {
    const QString folder = ImageFolderFor(classScale);
    if (folder.isEmpty()) return {};
    return QStringLiteral(":/images/%1/%2.png").arg(folder, grade);
}

QString TemperatureEntryText(int celsius, const QString& temperatureUnit) {
    const bool fahrenheit = temperatureUnit == QLatin1String("F");
    const int shown = fahrenheit ? smart::ToFahrenheit(celsius) : celsius;
    return QCoreApplication::translate("QWaitClass", "Temperature: ") + QString::number(shown) + DegreeSign +
           (fahrenheit ? QLatin1Char('F') : QLatin1Char('C'));
}

QString HealthEntryText(int health) {
    return QCoreApplication::translate("QWaitClass", "Health: ") + QString::number(health) + QStringLiteral(" %");
}

QString PerformanceEntryText(int performance) {
    return QCoreApplication::translate("QWaitClass", "Performance: ") + QString::number(performance) +
           QStringLiteral(" %");
}

QString PartitionEntryText(const QStringList& letters) {
    QStringList written;
    for (const QString& letter : letters) written << letter + QStringLiteral(": ");
    return QCoreApplication::translate("QWaitClass", "Partition: ") + written.join(QLatin1Char(','));
}

QString DriveMenuTitle(const QString& model) { return QString(model).replace(QLatin1Char('&'), QStringLiteral("&&")); }

QStringList VolumeLetters(const QStringList& diskpartLines) {
    const ColumnSpan column = LetterColumn(diskpartLines);
    QStringList letters;
    for (const QString& line : diskpartLines) {
        if (!line.contains(QLatin1String("Volume ")) || line.contains(QLatin1String("###"))) continue;
        QChar letter(' ');
        if (column.start >= 0) {
            const QString cell = line.mid(column.start, column.length).trimmed();
            if (cell.size() == 1) letter = cell.at(0);
        } else {
            letter = LetterBySpacing(line);
        }
        if (letter.isLetter()) letters << QString(letter);
    }
    return letters;
}

}  // namespace tray
