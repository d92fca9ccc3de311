#pragma once

// S.M.A.R.T. reports that a root service (corvane-report-cache) keeps for users who cannot read the
// drives themselves: one file per whole disk, <kernel name>.txt (sda.txt, nvme0n1.txt), in
// /run/corvane-smart/, or in the folder CORVANE_REPORT_DIR names.

#include <sys/types.h>

#include <chrono>
#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace standin {

std::string ReportFolder();

// The service starts a pass every 30 seconds, and a disk's read may take a minute before it is ended.
constexpr int PassIntervalSeconds = 30;
constexpr int SmartctlTimeLimitSeconds = 60;

// A disk that is slow but answers gets a new report at most a time limit and a pass after the last one;
// one more pass of margin, and its report is still used. Only a disk that hangs, or a service that
// stopped, lets its report age past this.
constexpr time_t ReportLifetimeSeconds = SmartctlTimeLimitSeconds + 2 * PassIntervalSeconds;
bool IsFreshReport(time_t written, time_t now);

// The cached report of a disk, when there is a fresh one that only root or the caller could have
// written: a regular file, not writable by group or others, of at most a megabyte.
std::optional<std::string> ReadCachedReport(const std::string& folder, const std::string& kernelName);

// How the service reads a disk, and so how anyone reading a disk for the monitor does: a drive in
// standby is not woken, and its report is smartctl's note that it sleeps.
std::vector<std::string> SmartctlCommand(const std::string& deviceNode);

// The service's reads, each disk on its own: smartctl's output goes to a temporary file in the folder,
// renamed to <kernel name>.txt when smartctl has ended, so that a reader finds the previous report or
// the new one, never a part. A disk whose smartctl is slow or hangs holds up none of the others: it is
// not read again until its smartctl has ended, and past the time limit that smartctl is killed with
// everything it started, and reaped whenever it ends (a process in uninterruptible I/O ends late).
// The report of a disk that is gone is left to age.
class ReportReads {
public:
    ReportReads(std::string folder, std::chrono::seconds timeLimit);
    ReportReads(const ReportReads&) = delete;
    ReportReads& operator=(const ReportReads&) = delete;
    // Kills the reads still running.
    ~ReportReads();

    // Starts a read of every whole disk of the machine that has none running; the failures, by disk.
    std::vector<std::string> StartPass();
    // Renames the reports of the reads that ended and ends the reads past their time limit; the failures.
    std::vector<std::string> Collect(std::chrono::steady_clock::time_point now);
    // Whether a read is running that has not been ended.
    bool Reading() const;
    // The earliest time limit of a running read.
    std::optional<std::chrono::steady_clock::time_point> NextTimeLimit() const;

private:
    struct Read {
        pid_t process = 0;  // also its process group
        std::string temporary;
        std::chrono::steady_clock::time_point timeLimit;
        bool killed = false;
    };

    std::optional<std::string> Start(const std::string& kernelName);

    std::string folder_;
    std::chrono::seconds timeLimit_;
    std::map<std::string, Read> reads_;  // by kernel name
};

// Temporary files a killed service left behind.
void RemoveUnfinishedReports(const std::string& folder);

}  // namespace standin
