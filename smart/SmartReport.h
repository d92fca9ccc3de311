#pragma once

// The two facts read straight from a S.M.A.R.T. report: the current temperature and the tool's
// "PASSED" verdict.

#include <QString>
#include <QStringList>

#include <optional>

namespace smart {

struct SmartScan {
    // The first line that mentions "Temperature"; the scan stops there.
    std::optional<QString> temperatureLine;
    // "PASSED" was seen up to and including the temperature line, or anywhere when there is none.
    bool passedSeen = false;

    // Degrees Celsius, 0 when the report gives none.
    int Temperature() const;
};

SmartScan ScanSmartLines(const QStringList& lines);

// The raw value of an attribute-table row (tenth word) or the value of a "Label: value unit" line
// (second word); 0 for any other shape.
int TemperatureFromLine(const QString& line);

// "PASSED" anywhere in the report.
bool ReportHasPassed(const QStringList& lines);

// Integer arithmetic that truncates toward zero: 37 gives 98.
int ToFahrenheit(int celsius);

}  // namespace smart
