#pragma once

// How a drive index becomes the S.M.A.R.T. tool's command line.

#include <QString>

namespace smart {

// "0" to "8" give "sda" to "sdi"; every other text, spaces included, gives empty text.
QString DeviceNameForIndex(const QString& index);

// The tool's command line for `device`, appending its report to `capturePath`. A start by the task
// scheduler names the tool by `smartctlPath` (the full path the companion stored, checked to be a plain
// absolute path); otherwise the tool is found by name.
QString SmartToolCommand(const QString& device, const QString& capturePath, bool scheduledLaunch,
                         const QString& smartctlPath);

}  // namespace smart
