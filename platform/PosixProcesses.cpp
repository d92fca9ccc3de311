// Running tools and starting the companion applications on POSIX systems. CORVANE_SYSTEM_DIR names the
// folder of the stand-in tools, found by name before the search path.

#include "Platform.h"
#include "PosixInternal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>

extern char** environ;

namespace platform {
namespace {

using posix::Environment;
using posix::PlainCommand;

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// How often a watched output is looked at: a tool writing a gigabyte a second overshoots its bound by
// about ten megabytes.
constexpr int WatchInterval = 10;

// Sleeps until `child` has ended, without reaping it, until `deadline`, or until `stop` says so; true
// when it has ended. A process descriptor wakes the wait the moment the tool ends; kernels before
// Linux 5.3 have none, and there the wait looks again at growing intervals. `stop` (when given) is
// asked every WatchInterval milliseconds.
bool WaitUntilEnded(pid_t child, Clock::time_point deadline, const std::function<bool()>& stop) {
    const int descriptor = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (descriptor >= 0) {
        pollfd watch{descriptor, POLLIN, 0};
        int ready = 0;
        for (;;) {
            const int wait = MillisecondsUntil(deadline);
            ready = poll(&watch, 1, stop ? std::min(wait, WatchInterval) : wait);
            if (ready != 0 || Clock::now() >= deadline || (stop && stop())) break;
        }
        close(descriptor);
        if (ready > 0) return true;
        if (ready == 0) return false;
    }
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        siginfo_t info{};
        const int looked = waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT);
        if (looked == 0 && info.si_pid == child) return true;
        if (looked < 0 && errno != EINTR) return true;  // nothing left to wait for; reaping tells why
        if (Clock::now() >= deadline || (stop && stop())) return false;
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(stop ? WatchInterval : 50)) pause *= 2;
    }
}

// How long the processes of a run are given to end once they are killed. SIGKILL ends a process when
// it leaves the kernel; one asleep there where no signal reaches it (reading a file system whose
// server never answers, say) stays, and waiting for it would freeze the monitor with it.
constexpr auto EndAfterKill = std::chrono::seconds(5);

// The processes of runs given up that way, reaped by a later run once they have ended.
std::mutex GivenUpLock;
std::vector<pid_t> GivenUp;

void ReapGivenUp() {
    const std::lock_guard<std::mutex> hold(GivenUpLock);
    const auto ended = [](pid_t process) {
        int status = 0;
        const pid_t reaped = waitpid(process, &status, WNOHANG);
        if (reaped == 0 || (reaped < 0 && errno == EINTR)) return false;
        if (reaped == process)
            std::fprintf(stderr, "platform: process %d, given up at an earlier run, has ended\n", process);
        else
            std::fprintf(stderr, "platform: lost track of process %d: %s\n", process, std::strerror(errno));
        return true;
    };
    GivenUp.erase(std::remove_if(GivenUp.begin(), GivenUp.end(), ended), GivenUp.end());
}

// Reaps `child` once it has ended, into `status`, looking until `deadline`; false when it is still
// there then. A child that cannot be waited for is named and counts as reaped, `status` untouched.
bool ReapBy(pid_t child, Clock::time_point deadline, int& status) {
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        const pid_t reaped = waitpid(child, &status, WNOHANG);
        if (reaped == child) return true;
        if (reaped < 0 && errno != EINTR) {
            std::fprintf(stderr, "platform: lost track of process %d: %s\n", child, std::strerror(errno));
            return true;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

// Whether every process of `group` is gone by `deadline`.
bool GroupEndedBy(pid_t group, Clock::time_point deadline) {
    auto pause = std::chrono::milliseconds(1);
    while (kill(-group, 0) == 0 || errno != ESRCH) {
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    return true;
}

// Where a companion named `program` may be, in the order they are tried: a bare name in the current
// directory first, as the Windows shell does, then along the search path.
std::vector<std::string> ProgramCandidates(const std::string& program) {
    const std::string local = "./" + program;
    if (program.find('/') == std::string::npos && access(local.c_str(), X_OK) == 0) return {local};
    return posix::SearchPathCandidates(program, Environment("PATH"));
}

}  // namespace

int RunWithProcessArguments(int argc, char** argv, int (*program)(int, char**)) {
    return program(argc, argv);
}

std::string ExecutableFileName() { return "CorvaneSMART"; }

bool RunsElevated() { return geteuid() == 0; }

bool LacksRightsToReadDrives() { return false; }

// Plain commands are run directly, but exactly as this line would run them.
std::string InterpreterCommandLine(const std::string& command) { return "/bin/sh -c " + command; }

std::string QuoteForInterpreter(const std::string& path) {
    std::string quoted = "'";
    for (char c : path) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

// A plain command is run directly, as the interpreter would run it, which spares a process per tool
// run; any other goes to /bin/sh. Either way every process it starts is in one process group, so
// that the end of the time limit can end them all.
CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit, const OutputWatch& watch) {
    ReapGivenUp();
    CommandOutcome outcome;
    // The stand-in tools of the system directory are found by name, as Windows finds its own.
    const std::string path = Environment("PATH");
    const std::string searchPath = SystemDirectory() + (path.empty() ? "" : ":" + path);
    std::string searchPathVariable = "PATH=" + searchPath;
    std::vector<char*> environment;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "PATH=", 5) != 0) environment.push_back(*variable);
    }
    environment.push_back(searchPathVariable.data());
    environment.push_back(nullptr);

    const std::optional<PlainCommand> plain = posix::ParsePlainCommand(command);
    std::vector<pid_t> started;
    int exitCodeWithoutStart = -1;
    if (plain) {
        started = posix::StartPlainCommand(*plain, searchPath, environment.data(), exitCodeWithoutStart);
    } else {
        PlainCommand interpreter;
        interpreter.programs = {{"/bin/sh", "-c", command}};
        started = posix::StartPlainCommand(interpreter, searchPath, environment.data(), exitCodeWithoutStart);
        if (started.empty()) return outcome;
    }
    outcome.started = true;
    if (started.empty()) {
        outcome.exitCode = exitCodeWithoutStart;
        return outcome;
    }

    const auto outputTooLarge = [&] {
        struct stat info{};
        return stat(watch.path.c_str(), &info) == 0 && static_cast<unsigned long long>(info.st_size) > watch.largest;
    };
    const bool watching = !watch.path.empty();
    const auto deadline = Clock::now() + limit;
    const pid_t group = started.front();
    for (const pid_t child : started) {
        if (WaitUntilEnded(child, deadline, watching ? std::function<bool()>(outputTooLarge) : nullptr)) continue;
        outcome.outputTooLarge = watching && outputTooLarge();
        outcome.timedOut = !outcome.outputTooLarge;
        kill(-group, SIGKILL);
        break;
    }
    const auto reapDeadline = Clock::now() + EndAfterKill;
    int status = 0;
    std::vector<pid_t> lingering;
    for (const pid_t child : started)
        if (!ReapBy(child, reapDeadline, status)) lingering.push_back(child);
    const bool killed = outcome.timedOut || outcome.outputTooLarge;
    if (!lingering.empty() || (killed && !GroupEndedBy(group, reapDeadline))) {
        kill(-group, SIGKILL);
        // A killed process that has not ended may yet finish the write it is in, and the output file
        // stays open in it; so the file's name goes: what the run wrote is not read, and the next run
        // under the same name writes a new file, not the one these processes hold.
        std::vector<std::string> outputs{watch.path};
        if (plain) outputs.push_back(plain->output);
        for (const std::string& output : outputs)
            if (!output.empty() && unlink(output.c_str()) != 0 && errno != ENOENT)
                std::fprintf(stderr, "platform: cannot remove %s: %s\n", output.c_str(), std::strerror(errno));
        std::fprintf(stderr, "platform: processes of group %d had not ended %lld s after they were killed: given up, "
                             "their output removed\n", group, static_cast<long long>(EndAfterKill.count()));
        const std::lock_guard<std::mutex> hold(GivenUpLock);
        GivenUp.insert(GivenUp.end(), lingering.begin(), lingering.end());
        outcome.givenUp = true;
        return outcome;
    }
    if (killed) return outcome;
    if (exitCodeWithoutStart >= 0)
        outcome.exitCode = exitCodeWithoutStart;
    else if (WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        outcome.exitCode = 128 + WTERMSIG(status);
    return outcome;
}

bool StartThroughShell(const std::string& program, const std::string& parameters) {
    // Detached: the companion outlives the monitor and is never waited for, so it is started from a
    // short-lived intermediate process that init adopts. Between fork and exec a process with several
    // threads may only make async-signal-safe calls, so everything is prepared first, and the
    // companion's failure to start comes back through a pipe that a successful exec closes.
    const std::vector<std::string> candidates = ProgramCandidates(program);
    std::vector<const char*> candidatePointers;
    for (const std::string& candidate : candidates) candidatePointers.push_back(candidate.c_str());
    std::vector<char*> arguments{const_cast<char*>(program.c_str())};
    if (!parameters.empty()) arguments.push_back(const_cast<char*>(parameters.c_str()));
    arguments.push_back(nullptr);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;

    const pid_t intermediate = fork();
    if (intermediate == 0) {
        close(report[0]);
        setsid();
        const pid_t companion = fork();
        if (companion == 0) {
            for (const char* candidate : candidatePointers) execve(candidate, arguments.data(), environ);
            const int error = errno;
            [[maybe_unused]] const ssize_t ignored = write(report[1], &error, sizeof error);
            _exit(127);
        }
        _exit(companion < 0 ? 1 : 0);
    }
    close(report[1]);
    int status = 0;
    if (intermediate > 0) {
        while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
        }
    }
    int error = 0;
    ssize_t reported;
    while ((reported = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(report[0]);
    if (reported > 0) std::fprintf(stderr, "platform: cannot start %s: %s\n", program.c_str(), std::strerror(error));
    return intermediate > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 && reported == 0;
}

std::string PowerShellProgram() { return "powershell"; }

// Root's environment and current folder are root's own: no other user chooses them.
void ShieldElevatedProcess() {}

}  // namespace platform
