#pragma once

// Asking the system's tools about the physical drives. Every call runs the tools afresh.

#include <QString>

namespace disks {

// The model text of the drive with index `index` (trimmed), from WMIC or, when WMIC lists nothing,
// from PowerShell; empty when no drive has that index.
QString GetDiskModelName(const QString& index);

// Refreshes DiskIndexList and returns the trimmed index of the first drive whose diskpart details
// show a boot line, or empty text.
QString GetBootDiskIndex();

// Writes the diskpart script for `index` afresh, holds it, and runs diskpart on it twice, leaving the
// second run's output in the capture "Out.txt". When the script cannot be made and held, diskpart is
// not run, no "Out.txt" is left, and the result is false.
bool QueryDiskDetail(const QString& index);

}  // namespace disks
