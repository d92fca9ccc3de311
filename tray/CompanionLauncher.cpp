#include "CompanionLauncher.h"

#include "app/Settings.h"
#include "exec/CaptureFile.h"
#include "exec/CommandRunner.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcLauncher, "corvane.launcher")

namespace tray {

namespace {

const QString RunningCheckCaptureName = QStringLiteral("tmpFile");

// findstr filters the process list for the ".exe" name, but the list is searched for ".app". A
// running companion is therefore started again and decides itself what a second start does, which
// keeps "Go to Corvane Drive Monitor" from ever doing nothing.
QString RunningSearchText(Companion companion) {
    return companion == Companion::DriveMonitor ? QStringLiteral("CorvaneDriveMonitor.app")
                                                : QStringLiteral("CorvaneDataRecovery.app");
}

// Nothing is started when the process list could not be read or names the companion.
bool CompanionMayStart(Companion companion) {
    if (PrepareWorkFolder() != WorkFolderState::Ready) return false;
    const QString capture = CapturePath(RunningCheckCaptureName);
    RemoveCaptureFile(capture);
    RunCapturing(RunningCheckCommand(companion, capture).toStdString(), capture);
    const std::optional<QStringList> lines = ReadCaptureLines(capture);
    if (!lines) {
        qCDebug(lcLauncher) << "no process list in" << capture << "- not starting" << CompanionFileName(companion);
        return false;
    }
    RemoveCaptureFile(capture);
    if (CaptureShowsCompanionRunning(*lines, companion)) {
        qCDebug(lcLauncher) << CompanionFileName(companion) << "is running already";
        return false;
    }
    return true;
}

}  // namespace

QString CompanionFileName(Companion companion) {
    return companion == Companion::DriveMonitor ? QStringLiteral("CorvaneDriveMonitor.exe")
                                                : QStringLiteral("CorvaneDataRecovery.exe");
}

QString RunningCheckCommand(Companion companion, const QString& capturePath) {
    return QuotedPath(SystemToolPath(QStringLiteral("tasklist.exe"))) + QStringLiteral(" | ") +
           QuotedPath(SystemToolPath(QStringLiteral("findstr.exe"))) + QLatin1Char(' ') +
           CompanionFileName(companion) + QStringLiteral(" >> ") + QuotedPath(capturePath);
}

bool CaptureShowsCompanionRunning(const QStringList& captureLines, Companion companion) {
    const QString searchText = RunningSearchText(companion);
    for (const QString& line : captureLines)
        if (line.contains(searchText)) return true;
    return false;
}

QString DriveMonitorPath(const QString& ownFilePath, const QString& ownFileName) {
    return QString(ownFilePath).remove(ownFileName) + CompanionFileName(Companion::DriveMonitor);
}

QString CloneParameter(QString& mediaName) {
    mediaName.remove(QLatin1Char(' '));
    return QStringLiteral("CloneDisk####") + mediaName;
}

void LaunchCompanion(Companion companion, QString* cloneMediaName) {
    SettingsStore settings;
    if (!CompanionMayStart(companion)) return;

    QString program;
    if (companion == Companion::DriveMonitor) {
        settings.Write(SettingsKey::SystemTrayLaunch, false);
        program = DriveMonitorPath(QCoreApplication::applicationFilePath(),
                                   QString::fromStdString(platform::ExecutableFileName()));
    } else {
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        program = CompanionFileName(companion);
    }
    const QString parameters = cloneMediaName ? CloneParameter(*cloneMediaName) : QString();
    qCDebug(lcLauncher) << "starting" << program << parameters;
    if (!platform::StartThroughShell(NativePath(program).toStdString(), parameters.toStdString()))
        qCDebug(lcLauncher) << "the shell could not start" << program;
}

}  // namespace tray
