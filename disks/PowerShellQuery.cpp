#include "PowerShellQuery.h"

#include <QLoggingCategory>
#include <QProcess>

Q_DECLARE_LOGGING_CATEGORY(lcDisks)

namespace disks {

void RunPowerShellListing(const QString& script, const QString& capturePath) {
    QProcess powerShell;
    powerShell.start(QStringLiteral("powershell"),
                     {QStringLiteral("-NoProfile"), QStringLiteral("-ExecutionPolicy"), QStringLiteral("Bypass"),
                      QStringLiteral("-Command"), QString(script).replace(QLatin1String("%1"), capturePath)},
                     QIODevice::ReadWrite);
    if (powerShell.waitForFinished(PowerShellWaitMilliseconds)) return;
    qCWarning(lcDisks) << "PowerShell drive listing failed:" << powerShell.errorString();
    if (powerShell.state() != QProcess::NotRunning) {
        powerShell.kill();
        powerShell.waitForFinished();
    }
}

}  // namespace disks
