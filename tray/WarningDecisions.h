#pragma once

// Which warnings a reading raises, and how the tray shows the reading. Settings are passed in as read,
// so the rules can be checked without a store or a dialog.

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>

namespace tray {

struct TemperatureSettings {
    int warningValue = 0;
    int shutDownValue = 0;
    bool dontShow = false;
    bool shutDownDontShow = false;
    QString temperatureUnit;
    bool showWarning = false;
};

struct TemperatureWarnings {
    bool shutDown = false;
    bool temperature = false;
};

// The reading in the user's unit: Fahrenheit when the unit is exactly "F".
int TemperatureInUserUnit(int celsius, const QString& temperatureUnit);

// Both thresholds are inclusive and independent of each other; the temperature warning also stays
// away once the user ignored it with its box ticked.
TemperatureWarnings DecideTemperatureWarnings(int celsius, const TemperatureSettings& settings,
                                              bool temperatureWarningSuppressed);

struct DriveSettings {
    bool healthDontShow = false;
    bool performanceDontShow = false;
    bool showWarning = false;
};

struct DriveWarnings {
    bool health = false;
    bool performance = false;
};

// A figure below this raises its warning.
inline constexpr int HealthLimit = 40;

struct HealthCheckReading {
    bool passed = false;
    int health = 0;
    int performance = 0;
};

// The boot disk's figures for the health check. They count only when the tool's verdict "PASSED"
// stands in the report, wherever it stands: the drive overview looks for it only up to the
// temperature line, the health check in the whole report.
HealthCheckReading ReadHealthCheck(const QStringList& report);

// Only a report that the tool passed is judged at all.
DriveWarnings DecideDriveWarnings(bool passed, int health, int performance, const DriveSettings& settings);

// Where a warning `placed` over the warning `shown` goes so that the strip of `shown`'s top
// `titleStrip` pixels, its title, stays in sight: where it is when it leaves that strip free, else
// down and right of `shown` by the strip and half as much again when the work area has room there.
// Nothing when it has not: `shown` is then raised above it.
std::optional<QPoint> WarningPositionClearOf(const QRect& shown, int titleStrip, const QRect& placed,
                                             const QRect& workArea);

// The temperature drawn on the tray icon: the number in the user's unit and a degree sign.
QString TrayIconTextFor(int celsius, const QString& temperatureUnit);

// Drawn on the tray icon while the monitor has no reading at all.
inline const QString NoReadingIconText = QStringLiteral("--");

// What keeps the monitor from reading the drives.
struct ReadingObstacles {
    bool noWorkFolder = false;  // so no tool runs and there is no reading
    bool lacksDriveRights = false;
};

// "Corvane Drive Monitor", the icon text on a line of its own unless it is empty (no reading), then one
// line for each obstacle, saying it.
QString TrayToolTip(const QString& iconText, const ReadingObstacles& obstacles);

// The label of a warning dialog: the translated "Disk: " and the drive's model text.
QString DiskLabelText(const QString& modelText);

}  // namespace tray
