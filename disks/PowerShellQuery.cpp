#include "PowerShellQuery.h"

#include "platform/Platform.h"

#include <QLoggingCategory>
#include <QProcess>

Q_DECLARE_LOGGING_CATEGORY(lcDisks)

namespace disks {

QString PowerShellLiteral(const QString& text) {
    static const QString singleQuotes = QString::fromUtf8("'\u2018\u2019\u201A\u201B");
    QString literal = QStringLiteral("'");
    for (const QChar c : text) {
        literal += c;
        if (singleQuotes.contains(c)) literal += c;
    }
    return literal + QLatin1Char('\'');
}

void RunPowerShellListing(const QString& script, const QString& capturePath) {
    QProcess powerShell;
    powerShell.start(QString::fromStdString(platform::PowerShellProgram()),
                     {QStringLiteral("-NoProfile"), QStringLiteral("-ExecutionPolicy"), QStringLiteral("Bypass"),
                      QStringLiteral("-Command"), QString(script).replace(QLatin1String("%1"), PowerShellLiteral(capturePath))},
                     QIODevice::ReadWrite);
    if (powerShell.waitForFinished(PowerShellWaitMilliseconds)) return;
    qCWarning(lcDisks) << "PowerShell drive listing failed:" << powerShell.errorString();
    if (powerShell.state() != QProcess::NotRunning) {
        powerShell.kill();
        powerShell.waitForFinished();
    }
}

}  // namespace disks
