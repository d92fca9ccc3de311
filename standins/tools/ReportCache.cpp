#include "ReportCache.h"

#include "LinuxBlockDevices.h"
#include "Machine.h"
#include "PosixFiles.h"
#include "System.h"
#include "Text.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern char** environ;

namespace standin {
namespace {

constexpr off_t LargestReport = 1 << 20;
const std::string UnfinishedPrefix = ".unfinished-";

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

ReportReads::ReportReads(std::string folder, std::chrono::seconds timeLimit)
    : folder_(std::move(folder)), timeLimit_(timeLimit) {}

ReportReads::~ReportReads() {
    for (const auto& [kernelName, read] : reads_) {
        if (read.killed) continue;
        kill(-read.process, SIGKILL);
        unlink(read.temporary.c_str());
    }
}

std::vector<std::string> ReportReads::StartPass() {
    std::vector<std::string> failures;
    for (const Drive& drive : OpenMachine()->Drives()) {
        if (drive.kernelName.empty()) continue;
        const auto running = reads_.find(drive.kernelName);
        if (running != reads_.end()) {
            // One still within its time limit is a slow disk, which keeps its last report meanwhile.
            if (running->second.killed)
                failures.push_back(drive.kernelName + ": the smartctl ended for running too long has not exited yet");
            continue;
        }
        if (const std::optional<std::string> failure = Start(drive.kernelName))
            failures.push_back(drive.kernelName + ": " + *failure);
    }
    return failures;
}

std::optional<std::string> ReportReads::Start(const std::string& kernelName) {
    std::string temporary = folder_ + "/" + UnfinishedPrefix + kernelName + ".XXXXXX";
    const int file = mkostemp(temporary.data(), O_CLOEXEC);
    if (file < 0) return "cannot create " + temporary + ": " + std::strerror(errno);
    // Readable by every user whatever the service's umask; written by root alone.
    fchmod(file, 0644);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, file, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    // A process group of its own, so that ending it ends whatever it started; none of the signals the
    // service waits for blocked.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK);
    std::vector<std::string> words = SmartctlCommand(DeviceNode(kernelName));
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(word.data());
    arguments.push_back(nullptr);
    pid_t child = 0;
    const int error = posix_spawnp(&child, "smartctl", &actions, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(file);
    if (error != 0) {
        unlink(temporary.c_str());
        return std::string("cannot start smartctl: ") + std::strerror(error);
    }
    reads_[kernelName] = {child, temporary, std::chrono::steady_clock::now() + timeLimit_};
    return {};
}

std::vector<std::string> ReportReads::Collect(std::chrono::steady_clock::time_point now) {
    std::vector<std::string> failures;
    for (auto entry = reads_.begin(); entry != reads_.end();) {
        const std::string& kernelName = entry->first;
        Read& read = entry->second;
        int status = 0;
        const pid_t ended = waitpid(read.process, &status, WNOHANG);
        if (ended == read.process || (ended < 0 && errno == ECHILD)) {
            const std::string report = folder_ + "/" + kernelName + ".txt";
            if (!read.killed && rename(read.temporary.c_str(), report.c_str()) != 0) {
                failures.push_back(kernelName + ": cannot rename " + read.temporary + ": " + std::strerror(errno));
                unlink(read.temporary.c_str());
            }
            entry = reads_.erase(entry);
            continue;
        }
        if (!read.killed && now >= read.timeLimit) {
            kill(-read.process, SIGKILL);
            unlink(read.temporary.c_str());
            read.killed = true;
            failures.push_back(kernelName + ": smartctl ran longer than " + std::to_string(timeLimit_.count()) +
                               " s and was ended");
        }
        ++entry;
    }
    return failures;
}

bool ReportReads::Reading() const {
    for (const auto& [kernelName, read] : reads_)
        if (!read.killed) return true;
    return false;
}

std::optional<std::chrono::steady_clock::time_point> ReportReads::NextTimeLimit() const {
    std::optional<std::chrono::steady_clock::time_point> next;
    for (const auto& [kernelName, read] : reads_)
        if (!read.killed && (!next || read.timeLimit < *next)) next = read.timeLimit;
    return next;
}

void RemoveUnfinishedReports(const std::string& folder) {
    for (const std::string& name : FolderEntries(folder))
        if (StartsWith(name, UnfinishedPrefix)) unlink((folder + "/" + name).c_str());
}

}  // namespace standin
