#pragma once

// The fallback for machines without WMIC: PowerShell writes the drive list into the capture itself.

#include <QString>

namespace disks {

// "%1" stands for the capture path, as a PowerShell literal (PowerShellLiteral); -LiteralPath, since
// -Path would take "[", "]" and "`" in a folder name as wildcards.
inline const QString ModelListScript = QStringLiteral(
    "($output = Get-CimInstance -Class Win32_DiskDrive | Select-Object Index,Model | Format-Table -AutoSize "
    "| Out-String).Trim() | Set-Content -LiteralPath %1 -Encoding ASCII");
inline const QString IndexListScript = QStringLiteral(
    "($output = Get-WmiObject -Class Win32_DiskDrive | Select-Object Index | Format-Table -AutoSize | "
    "Out-String).Trim() | Set-Content -LiteralPath %1 -Encoding ASCII");

inline constexpr int PowerShellWaitMilliseconds = 30000;

// `text` in single quotes, which PowerShell takes word for word: no "$(...)" or "`" inside a path is
// ever run or expanded. Every kind of single quote PowerShell knows is doubled.
QString PowerShellLiteral(const QString& text);

// Runs `script` (one of the above) for `capturePath` through "powershell" from the search path, waits
// at most PowerShellWaitMilliseconds and ends a PowerShell that is still running.
void RunPowerShellListing(const QString& script, const QString& capturePath);

}  // namespace disks
