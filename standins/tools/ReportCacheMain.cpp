// corvane-report-cache: the root service that keeps every whole disk's S.M.A.R.T. report readable for
// the monitor, which runs as the user and cannot open the drives.
//   corvane-report-cache [--once] [--interval SECONDS] [--time-limit SECONDS] [FOLDER]
// Every 30 seconds (or once), it reads each disk with `smartctl -n standby -a` and replaces FOLDER's
// <kernel name>.txt (/run/corvane-smart by default) with the output; a disk's smartctl is ended after
// 60 seconds. Failures go to standard error, which systemd keeps in its journal. Under systemd
// (NOTIFY_SOCKET) it says when it is ready and feeds the watchdog while its loop turns.

#include "ReportCache.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

void ReportFailures(const std::vector<std::string>& failures) {
    for (const std::string& failure : failures) std::fprintf(stderr, "corvane-report-cache: %s\n", failure.c_str());
}

// A state line to systemd, when it started the service with a notification socket.
void Notify(const char* state) {
    const char* socketPath = std::getenv("NOTIFY_SOCKET");
    if (!socketPath || (*socketPath != '/' && *socketPath != '@')) return;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const size_t length = std::strlen(socketPath);
    if (length >= sizeof address.sun_path) return;
    std::memcpy(address.sun_path, socketPath, length);
    if (address.sun_path[0] == '@') address.sun_path[0] = '\0';  // an abstract socket
    const int notifier = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (notifier < 0) return;
    // Never waits: a watchdog ping that cannot be delivered now is not worth stopping the loop for.
    const auto* target = reinterpret_cast<const sockaddr*>(&address);
    sendto(notifier, state, std::strlen(state), MSG_NOSIGNAL | MSG_DONTWAIT, target,
           static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + length));
    close(notifier);
}

bool ParseSeconds(const char* text, int& seconds) {
    char* end = nullptr;
    errno = 0;
    const long value = text ? std::strtol(text, &end, 10) : 0;
    if (!text || *end != '\0' || errno != 0 || value < 1 || value > 86400) return false;
    seconds = static_cast<int>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    bool once = false;
    int interval = standin::PassIntervalSeconds;
    int timeLimit = standin::SmartctlTimeLimitSeconds;
    std::string folder = "/run/corvane-smart";
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        bool valid = true;
        if (argument == "--once")
            once = true;
        else if (argument == "--interval")
            valid = ParseSeconds(i + 1 < argc ? argv[++i] : nullptr, interval);
        else if (argument == "--time-limit")
            valid = ParseSeconds(i + 1 < argc ? argv[++i] : nullptr, timeLimit);
        else if (!argument.empty() && argument[0] != '-')
            folder = argument;
        else
            valid = false;
        if (!valid) {
            std::fprintf(stderr, "usage: corvane-report-cache [--once] [--interval SECONDS] [--time-limit SECONDS] "
                                 "[FOLDER]\n");
            return 2;
        }
    }
    umask(022);
    // Users open the reports by name but cannot list the folder: a listing another user keeps from
    // ending holds the folder's lock, and the service's next rename into it would wait for good.
    if (mkdir(folder.c_str(), 0711) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "corvane-report-cache: cannot create %s: %s\n", folder.c_str(), std::strerror(errno));
        return 1;
    }
    standin::RemoveUnfinishedReports(folder);

    // The loop waits for its children and for the request to stop, never for one disk.
    signal(SIGCHLD, SIG_DFL);  // an inherited "ignore" would reap the reads before they are collected
    sigset_t awaited;
    sigemptyset(&awaited);
    for (const int awaitedSignal : {SIGCHLD, SIGTERM, SIGINT, SIGHUP}) sigaddset(&awaited, awaitedSignal);
    sigprocmask(SIG_BLOCK, &awaited, nullptr);

    standin::ReportReads reads(folder, std::chrono::seconds(timeLimit));
    Notify("READY=1");
    bool failed = false;
    Clock::time_point nextPass = Clock::now();
    for (bool passed = false;;) {
        Clock::time_point now = Clock::now();
        std::vector<std::string> failures;
        if (now >= nextPass && !(once && passed)) {
            failures = reads.StartPass();
            passed = true;
            nextPass = now + std::chrono::seconds(interval);
        }
        const std::vector<std::string> collected = reads.Collect(now);
        failures.insert(failures.end(), collected.begin(), collected.end());
        ReportFailures(failures);
        failed = failed || !failures.empty();
        // Done once every read has ended or been ended; one that outlives its killing is left behind.
        if (once && passed && !reads.Reading()) return failed ? 1 : 0;
        Notify("WATCHDOG=1");

        Clock::time_point wake = std::min(nextPass, now + std::chrono::seconds(1));
        if (const std::optional<Clock::time_point> limit = reads.NextTimeLimit()) wake = std::min(wake, *limit);
        const long long wait =
            std::chrono::duration_cast<std::chrono::nanoseconds>(std::max(wake - now, Clock::duration())).count();
        const timespec timeout{static_cast<time_t>(wait / 1000000000), static_cast<long>(wait % 1000000000)};
        const int arrived = sigtimedwait(&awaited, nullptr, &timeout);
        if (arrived == SIGTERM || arrived == SIGINT || arrived == SIGHUP) return 0;
    }
}
