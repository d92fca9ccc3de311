#include "SmartReport.h"

#include "exec/CaptureFile.h"

#include <algorithm>

namespace smart {

namespace {
const QString PassedMarker = QStringLiteral("PASSED");
const QString TemperatureMark = QStringLiteral("Temperature");
}  // namespace

int TemperatureFromLine(const QString& line) {
    const QStringList words = SplitWords(line);
    if (words.size() == 2 || words.size() == 3) return ToNumber(words[1]);
    if (words.size() >= 10) return ToNumber(words[9]);
    return 0;
}

int SmartScan::Temperature() const { return temperatureLine ? TemperatureFromLine(*temperatureLine) : 0; }

SmartScan ScanSmartLines(const QStringList& lines) {
    SmartScan scan;
    for (const QString& line : lines) {
        if (line.contains(PassedMarker)) scan.passedSeen = true;
        if (line.contains(TemperatureMark)) {
            scan.temperatureLine = line;
            break;
        }
    }
    return scan;
}

bool ReportHasPassed(const QStringList& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const QString& line) { return line.contains(PassedMarker); });
}

int ToFahrenheit(int celsius) { return static_cast<int>(9LL * celsius / 5 + 32); }

}  // namespace smart
