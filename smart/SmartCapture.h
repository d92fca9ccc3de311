#pragma once

// Running the S.M.A.R.T. tool for one drive and reading its report back from the capture file.

#include "SmartReport.h"

#include <QString>

#include <optional>

namespace smart {

// Runs the tool for `device` (e.g. "sda") with its report appended to `capturePath`; the command
// form follows how the monitor was started.
void RunSmartTool(const QString& device, const QString& capturePath);

// Nothing when the capture cannot be opened.
std::optional<SmartScan> ScanSmartReport(const QString& capturePath);

// 0 when the capture cannot be opened or is empty. Neither changes nor removes the capture.
int EvaluateHealth(QString capturePath);
int EvaluatePerformance(QString capturePath);

}  // namespace smart
