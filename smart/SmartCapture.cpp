#include "SmartCapture.h"

#include "HealthEvaluation.h"
#include "PerformanceEvaluation.h"
#include "SmartCommand.h"
#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSmart, "corvane.smart")

namespace smart {

namespace {

// The stored tool path is placed on a command line, so only a plain absolute path is taken; anything
// else gives way to the tool's bare name.
QString ScheduledToolPath() {
    const QString setting = SettingsStore().ReadText(SettingsKey::SmartctlFolderPath);
    std::string problem;
    const QString path = QString::fromStdString(platform::LiteralToolPath(setting.toStdString(), problem));
    if (path.isEmpty())
        qCWarning(lcSmart) << "SmartctlFolderPath" << setting << "refused:" << QString::fromStdString(problem)
                           << "- running the tool by its name";
    return path;
}

}  // namespace

void RunSmartTool(const QString& device, const QString& capturePath) {
    const QString smartctlPath = LaunchArgument == ScheduledLaunchArgument ? ScheduledToolPath() : QString();
    if (device.isEmpty()) qCDebug(lcSmart) << "no device name; the tool will find no drive";
    RunCapturing(SmartToolCommand(device, capturePath, !smartctlPath.isEmpty(), smartctlPath).toStdString(),
                 capturePath);
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
