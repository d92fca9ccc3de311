#pragma once

// How a drive index becomes the S.M.A.R.T. tool's command line.

#include <QString>

namespace smart {

// "0" to "8" give "sda" to "sdi"; every other text, spaces included, gives empty text.
QString DeviceNameForIndex(const QString& index);

// The stored tool path a scheduled start runs, as the interpreter takes it word for word; empty, with
// `problem` set, when it is absent or cannot be taken so.
QString ScheduledToolPath(const QString& storedToolPath, QString& problem);

// The tool's command line for `device`, appending its report to `capturePath`. A start by the task
// scheduler (`launchArgument` exactly "Schedular") names the tool by the path the companion stored,
// quoted; any other start finds it by name. Empty, with `problem` set, for a scheduled start whose stored
// path is absent or not one the interpreter takes word for word: the bare name instead would run
// whatever the search path, which the user's unelevated programs may change, offers.
QString SmartToolCommand(const QString& device, const QString& capturePath, const QString& launchArgument,
                         const QString& storedToolPath, QString& problem);

}  // namespace smart
