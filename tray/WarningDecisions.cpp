#include "WarningDecisions.h"

#include "smart/HealthEvaluation.h"
#include "smart/PerformanceEvaluation.h"
#include "smart/SmartReport.h"

#include <QCoreApplication>

namespace tray {

int TemperatureInUserUnit(int celsius, const QString& temperatureUnit) {
    return temperatureUnit == QLatin1String("F") ? smart::ToFahrenheit(celsius) : celsius;
}

TemperatureWarnings DecideTemperatureWarnings(int celsius, const TemperatureSettings& settings,
                                              bool temperatureWarningSuppressed) {
    if (!settings.showWarning) return {};
    const int compared = TemperatureInUserUnit(celsius, settings.temperatureUnit);
    TemperatureWarnings warnings;
    warnings.shutDown = compared >= settings.shutDownValue && !settings.shutDownDontShow;
    warnings.temperature = compared >= settings.warningValue && !settings.dontShow && !temperatureWarningSuppressed;
    return warnings;
}

HealthCheckReading ReadHealthCheck(const QStringList& report) {
    if (!smart::ReportHasPassed(report)) return {};
    return {true, smart::HealthFromReport(report), smart::PerformanceFromReport(report)};
}

DriveWarnings DecideDriveWarnings(bool passed, int health, int performance, const DriveSettings& settings) {
    if (!settings.showWarning || !passed) return {};
    return {health < HealthLimit && !settings.healthDontShow,
            performance < HealthLimit && !settings.performanceDontShow};
}

QString TrayIconTextFor(int celsius, const QString& temperatureUnit) {
    return QString::number(TemperatureInUserUnit(celsius, temperatureUnit)) + QChar(0x00B0);
}

// Windows shows at most 127 characters of a tray tooltip: every translation of the two obstacle lines
// together stays within that, after the title.
QString TrayToolTip(const QString& iconText, const ReadingObstacles& obstacles) {
    QStringList lines{QCoreApplication::translate("QWaitClass", "Corvane Drive Monitor")};
    if (!iconText.isEmpty()) lines << iconText;
    if (obstacles.noWorkFolder)
        lines << QCoreApplication::translate("QWaitClass", "Drives not read: the temporary folder is unusable.");
    if (obstacles.lacksDriveRights)
        lines << QCoreApplication::translate("QWaitClass", "Reading drives needs administrator rights.");
    return lines.join(QLatin1Char('\n'));
}

QString DiskLabelText(const QString& modelText) {
    return QCoreApplication::translate("QWaitClass", "Disk: ") + modelText;
}

std::optional<QPoint> WarningPositionClearOf(const QRect& shown, int titleStrip, const QRect& placed,
                                             const QRect& workArea) {
    if (!placed.intersects(QRect(shown.topLeft(), QSize(shown.width(), titleStrip)))) return placed.topLeft();
    const int offset = titleStrip + titleStrip / 2;
    const QRect moved(shown.topLeft() + QPoint(offset, offset), placed.size());
    if (!workArea.contains(moved)) return std::nullopt;
    return moved.topLeft();
}

}  // namespace tray
