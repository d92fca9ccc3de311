#pragma once

// S.M.A.R.T. reports that a root service (corvane-report-cache) keeps for users who cannot read the
// drives themselves: one file per whole disk, <kernel name>.txt (sda.txt, nvme0n1.txt), in
// /run/corvane-smart/, or in the folder CORVANE_REPORT_DIR names.

#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace standin {

std::string ReportFolder();

// A report is used for two minutes after it was written, four passes of the service.
constexpr time_t ReportLifetimeSeconds = 120;
bool IsFreshReport(time_t written, time_t now);

// The cached report of a disk, when there is a fresh one that only root or the caller could have
// written: a regular file, not writable by group or others, of at most a megabyte.
std::optional<std::string> ReadCachedReport(const std::string& folder, const std::string& kernelName);

// How the service reads a disk, and so how anyone reading a disk for the monitor does: a drive in
// standby is not woken, and its report is smartctl's note that it sleeps.
std::vector<std::string> SmartctlCommand(const std::string& deviceNode);

struct PassResult {
    std::vector<std::string> written;  // kernel names
    std::vector<std::string> failed;   // with the reason
};

// One pass of the service: `smartctl -n standby -a` for each whole disk of this machine, its output
// written to a temporary file in `folder` and renamed to <kernel name>.txt, so that a reader finds
// either the previous report or the new one, never a part. A disk in standby is not woken: its
// report is smartctl's note that it sleeps. The report of a disk that is gone is left to age.
PassResult CacheReports(const std::string& folder, int smartctlTimeLimitSeconds);

// Temporary files a killed pass left behind.
void RemoveUnfinishedReports(const std::string& folder);

}  // namespace standin
