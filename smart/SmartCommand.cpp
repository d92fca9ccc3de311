#include "SmartCommand.h"

#include "app/ProcessValues.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"

#include <QHash>

namespace smart {

QString DeviceNameForIndex(const QString& index) {
    static const QHash<QString, QString> DeviceNames = {
        {QStringLiteral("0"), QStringLiteral("sda")}, {QStringLiteral("1"), QStringLiteral("sdb")},
        {QStringLiteral("2"), QStringLiteral("sdc")}, {QStringLiteral("3"), QStringLiteral("sdd")},
        {QStringLiteral("4"), QStringLiteral("sde")}, {QStringLiteral("5"), QStringLiteral("sdf")},
        {QStringLiteral("6"), QStringLiteral("sdg")}, {QStringLiteral("7"), QStringLiteral("sdh")},
        {QStringLiteral("8"), QStringLiteral("sdi")},
    };
    return DeviceNames.value(index);
}

QString ScheduledToolPath(const QString& storedToolPath, QString& problem) {
    std::string refusal;
    const std::string toolPath = platform::LiteralToolPath(storedToolPath.toStdString(), refusal);
    problem = QString::fromStdString(refusal);
    return QString::fromStdString(toolPath);
}

QString SmartToolCommand(const QString& device, const QString& capturePath, const QString& launchArgument,
                         const QString& storedToolPath, QString& problem) {
    const QString redirection = QStringLiteral(" >> ") + QuotedPath(capturePath);
    if (launchArgument != ScheduledLaunchArgument)
        return QStringLiteral("smartctl64Bit.exe -a  /dev/") + device + redirection;
    const QString toolPath = ScheduledToolPath(storedToolPath, problem);
    if (toolPath.isEmpty()) return QString();
    return QuotedPath(toolPath) + QStringLiteral(" -a /dev/") + device + redirection;
}

}  // namespace smart
