#include "ReportCache.h"

#include "LinuxBlockDevices.h"
#include "Machine.h"
#include "Text.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace standin {
namespace {

constexpr off_t LargestReport = 1 << 20;
const std::string UnfinishedPrefix = ".unfinished-";

// Runs smartctl with its standard output into `output`; false, with the reason, when it could not
// be started or was ended for running longer than the limit.
bool RunSmartctl(const std::string& device, int output, int timeLimitSeconds, std::string& reason) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> words = SmartctlCommand(device);
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "smartctl", &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        reason = std::string("cannot start smartctl: ") + std::strerror(error);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeLimitSeconds);
    int status = 0;
    pid_t ended;
    while ((ended = waitpid(child, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (ended == child) return true;
    kill(child, SIGKILL);
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    reason = "smartctl ran longer than " + std::to_string(timeLimitSeconds) + " s and was ended";
    return false;
}

bool WriteReport(const std::string& folder, const std::string& kernelName, int timeLimitSeconds,
                 std::string& reason) {
    std::string temporary = folder + "/" + UnfinishedPrefix + kernelName + ".XXXXXX";
    const int file = mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) {
        reason = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    // Readable by every user whatever the service's umask; written by root alone.
    fchmod(file, 0644);
    bool written = RunSmartctl(DeviceNode(kernelName), file, timeLimitSeconds, reason);
    close(file);
    if (written && rename(temporary.c_str(), (folder + "/" + kernelName + ".txt").c_str()) != 0) {
        reason = "cannot rename " + temporary + ": " + std::strerror(errno);
        written = false;
    }
    if (!written) unlink(temporary.c_str());
    return written;
}

}  // namespace

std::string ReportFolder() {
    const char* folder = std::getenv("CORVANE_REPORT_DIR");
    return folder && *folder ? folder : "/run/corvane-smart";
}

bool IsFreshReport(time_t written, time_t now) {
    // A little ahead is a clock that moved back; far ahead is no report of this machine's time.
    return written <= now + 5 && now - written <= ReportLifetimeSeconds;
}

std::optional<std::string> ReadCachedReport(const std::string& folder, const std::string& kernelName) {
    const std::string path = folder + "/" + kernelName + ".txt";
    const int file = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) return {};
    struct stat status {};
    const bool trusted = fstat(file, &status) == 0 && S_ISREG(status.st_mode) &&
                         (status.st_uid == 0 || status.st_uid == geteuid()) &&
                         (status.st_mode & (S_IWGRP | S_IWOTH)) == 0 && status.st_size <= LargestReport &&
                         IsFreshReport(status.st_mtime, time(nullptr));
    std::optional<std::string> report = trusted ? ReadOpenFile(file, LargestReport) : std::nullopt;
    close(file);
    return report;
}

std::vector<std::string> SmartctlCommand(const std::string& deviceNode) {
    return {"smartctl", "-n", "standby", "-a", deviceNode};
}

PassResult CacheReports(const std::string& folder, int smartctlTimeLimitSeconds) {
    PassResult result;
    for (const Drive& drive : OpenMachine()->Drives()) {
        if (drive.kernelName.empty()) continue;
        std::string reason;
        if (WriteReport(folder, drive.kernelName, smartctlTimeLimitSeconds, reason))
            result.written.push_back(drive.kernelName);
        else
            result.failed.push_back(drive.kernelName + ": " + reason);
    }
    return result;
}

void RemoveUnfinishedReports(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder))
        if (StartsWith(name, UnfinishedPrefix)) unlink((folder + "/" + name).c_str());
}

}  // namespace standin
