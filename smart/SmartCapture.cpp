#include "SmartCapture.h"

#include "HealthEvaluation.h"
#include "PerformanceEvaluation.h"
#include "SmartCommand.h"
#include "app/ProcessValues.h"
#include "app/Settings.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"

#include <QFile>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSmart, "corvane.smart")

namespace smart {

namespace {

// What a missing tool leaves behind: a capture without a report.
void LeaveEmptyCapture(const QString& capturePath) {
    QFile capture(capturePath);
    if (!capturePath.isEmpty() && !capture.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        qCWarning(lcSmart) << "cannot create the empty capture" << capturePath << capture.errorString();
}

// An elevated monitor runs the stored tool only when the user's unelevated programs could not have
// chosen or changed it.
bool ElevatedMayRunStoredTool(const QString& storedToolPath, QString& problem) {
    std::string refusal;
    const bool allowed = platform::ElevatedMayRunTool(ScheduledToolPath(storedToolPath, problem).toStdString(),
                                                      SettingsLocation().toStdString(), refusal);
    problem = QString::fromStdString(refusal);
    return allowed;
}

}  // namespace

void RunSmartTool(const QString& device, const QString& capturePath) {
    const QString storedToolPath = SettingsStore().ReadText(SettingsKey::SmartctlFolderPath);
    QString problem;
    QString command = SmartToolCommand(device, capturePath, LaunchArgument, storedToolPath, problem);
    if (!command.isEmpty() && LaunchArgument == ScheduledLaunchArgument && !ElevatedMayRunStoredTool(storedToolPath, problem))
        command.clear();
    if (command.isEmpty()) {
        qCWarning(lcSmart) << "started by the scheduler, but SmartctlFolderPath" << storedToolPath << "is refused:"
                           << problem << "- no reading of" << device;
        LeaveEmptyCapture(capturePath);
        return;
    }
    if (device.isEmpty()) qCDebug(lcSmart) << "no device name; the tool will find no drive";
    RunCapturing(command.toStdString(), capturePath);
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
