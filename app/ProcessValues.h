#pragma once

// Values that live for the whole process. Each is written by one subsystem and read by others; all
// run on the one GUI thread, so none needs a lock.

#include <QString>
#include <QStringList>

// The first command-line argument; "Schedular" marks a start by the task scheduler.
inline QString LaunchArgument;
inline const QString ScheduledLaunchArgument = QStringLiteral("Schedular");

// The operating system's tool directory, without a trailing separator.
inline QString SystemDirectory;

inline QString TranslationDirectory;

// The display scale fixed at start-up; see DisplayScaling.h for its class.
inline float DpiScale = 1.0f;
inline float DpiClassScale = 1.0f;

// The boot disk's temperature as drawn on the tray icon (empty while there is no reading), and its model
// text for the dialogs.
inline QString TrayIconText;
inline QString WarningDiskName;
inline bool TrayIconNotCreated = true;

// Set by the temperature warning when the user asked not to see it again until the monitor ends.
inline bool TemperatureWarningSuppressed = false;

// One drag flag shared by all warning dialogs.
inline bool DialogDragActive = false;

// The drive index lines of the last boot-disk query, untrimmed, in the order the tool printed them.
inline QStringList DiskIndexList;
