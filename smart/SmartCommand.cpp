#include "SmartCommand.h"

#include "exec/CommandRunner.h"

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

QString SmartToolCommand(const QString& device, const QString& capturePath, bool scheduledLaunch,
                         const QString& smartctlPath) {
    const QString redirection = QStringLiteral(" >> ") + QuotedPath(capturePath);
    if (scheduledLaunch) return QuotedPath(smartctlPath) + QStringLiteral(" -a /dev/") + device + redirection;
    return QStringLiteral("smartctl64Bit.exe -a  /dev/") + device + redirection;
}

}  // namespace smart
