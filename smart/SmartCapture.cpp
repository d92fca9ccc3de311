#include "SmartCapture.h"

#include "HealthEvaluation.h"
#include "PerformanceEvaluation.h"
#include "SmartCommand.h"
#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSmart, "corvane.smart")

namespace smart {

void RunSmartTool(const QString& device, const QString& capturePath) {
    const bool scheduledLaunch = LaunchArgument == ScheduledLaunchArgument;
    const QString smartctlPath = scheduledLaunch ? SettingsStore().ReadText(SettingsKey::SmartctlFolderPath) : QString();
    if (device.isEmpty()) qCDebug(lcSmart) << "no device name; the tool will find no drive";
    RunCommand(SmartToolCommand(device, capturePath, scheduledLaunch, smartctlPath).toStdString(), std::string());
}

std::optional<SmartScan> ScanSmartReport(const QString& capturePath) {
    const std::optional<QStringList> lines = ReadCaptureLines(capturePath);
    if (!lines) return std::nullopt;
    const SmartScan scan = ScanSmartLines(*lines);
    qCDebug(lcSmart) << "temperature line:" << scan.temperatureLine.value_or(QStringLiteral("(none)"))
                     << "PASSED seen:" << scan.passedSeen;
    return scan;
}

int EvaluateHealth(QString capturePath) {
    const int health = HealthFromReport(ReadCaptureLines(capturePath).value_or(QStringList()));
    qCDebug(lcSmart) << "health" << health << "from" << capturePath;
    return health;
}

int EvaluatePerformance(QString capturePath) {
    const int performance = PerformanceFromReport(ReadCaptureLines(capturePath).value_or(QStringList()));
    qCDebug(lcSmart) << "performance" << performance << "from" << capturePath;
    return performance;
}

}  // namespace smart
