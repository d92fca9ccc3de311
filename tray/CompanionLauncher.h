#pragma once

// Starting the companion applications that live in the monitor's own folder: the drive monitor,
// optionally with a request to clone a drive, and the data-recovery application.

#include <QString>
#include <QStringList>

namespace tray {

enum class Companion { DriveMonitor, DataRecovery };

// The program file name, e.g. "CorvaneDriveMonitor.exe".
QString CompanionFileName(Companion companion);

// tasklist piped through findstr for the companion's name, appended to `capturePath`.
QString RunningCheckCommand(Companion companion, const QString& capturePath);

// Whether the filtered process list says the companion is already running.
bool CaptureShowsCompanionRunning(const QStringList& captureLines, Companion companion);

// The drive monitor beside this program: `ownFilePath` with every `ownFileName` removed, followed by
// the companion's file name.
QString DriveMonitorPath(const QString& ownFilePath, const QString& ownFileName);

// "CloneDisk####" and the media name; the spaces are removed from `mediaName` itself.
QString CloneParameter(QString& mediaName);

// Starts the companion unless the running check says it runs already. Starting the drive monitor
// first records that it was not started from the tray monitor's own launch. With `cloneMediaName` the
// drive monitor is asked to clone that drive (see CloneParameter).
void LaunchCompanion(Companion companion, QString* cloneMediaName = nullptr);

}  // namespace tray
