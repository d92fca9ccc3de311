// POSIX stand-ins for the Windows services the monitor uses. Environment variables let tests and
// demonstrations describe a machine: CORVANE_SYSTEM_DIR, CORVANE_DPI and CORVANE_WORKAREA.

#include "Platform.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

extern char** environ;

namespace platform {
namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}


// Parses "1920x1040"; anything else leaves `area` untouched.
bool ParseWorkArea(const std::string& text, WorkArea& area) {
    int width = 0;
    int height = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2 || width <= 0 || height <= 0)
        return false;
    area = {width, height};
    return true;
}

// The X display is reached through libX11 loaded at run time, so the monitor needs no X library to
// build and still runs where there is no display at all.
class XDisplay {
public:
    XDisplay() {
        library_ = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!library_) return;
        auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(library_, "XOpenDisplay"));
        if (open && !Environment("DISPLAY").empty()) display_ = open(nullptr);
    }
    ~XDisplay() {
        if (display_) {
            auto close = reinterpret_cast<int (*)(void*)>(dlsym(library_, "XCloseDisplay"));
            if (close) close(display_);
        }
        if (library_) dlclose(library_);
    }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // The DPI desktops publish for font scaling ("Xft.dpi"), 0 when none is published.
    int PublishedDpi() const {
        auto resources = Symbol<char* (*)(void*)>("XResourceManagerString");
        if (!resources) return 0;
        const char* text = resources(display_);
        if (!text) return 0;
        const char* entry = std::strstr(text, "Xft.dpi:");
        if (!entry) return 0;
        return static_cast<int>(std::strtod(entry + std::strlen("Xft.dpi:"), nullptr) + 0.5);
    }

    WorkArea ScreenSize() const {
        auto defaultScreen = Symbol<int (*)(void*)>("XDefaultScreen");
        auto width = Symbol<int (*)(void*, int)>("XDisplayWidth");
        auto height = Symbol<int (*)(void*, int)>("XDisplayHeight");
        if (!defaultScreen || !width || !height) return {};
        const int screen = defaultScreen(display_);
        return {width(display_, screen), height(display_, screen)};
    }

private:
    template <typename Function>
    Function Symbol(const char* name) const {
        if (!display_) return nullptr;
        return reinterpret_cast<Function>(dlsym(library_, name));
    }

    void* library_ = nullptr;
    void* display_ = nullptr;
};

using Clock = std::chrono::steady_clock;

int MillisecondsUntil(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return static_cast<int>(std::clamp<long long>(left, 0, INT_MAX));
}

// Sleeps until `child` has ended, without reaping it, or until `deadline`; true when it has ended.
// A process descriptor wakes the wait the moment the tool ends. Kernels before Linux 5.3 have none;
// there the wait looks again at growing intervals.
bool WaitUntilEnded(pid_t child, Clock::time_point deadline) {
    const int descriptor = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (descriptor >= 0) {
        pollfd watch{descriptor, POLLIN, 0};
        int ready;
        while ((ready = poll(&watch, 1, MillisecondsUntil(deadline))) < 0 && errno == EINTR) {
        }
        close(descriptor);
        if (ready >= 0) return ready > 0;
    }
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        siginfo_t info{};
        const int looked = waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT);
        if (looked == 0 && info.si_pid == child) return true;
        if (looked < 0 && errno != EINTR) return true;  // nothing left to wait for; reaping tells why
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(pause);
        if (pause < std::chrono::milliseconds(50)) pause *= 2;
    }
}

}  // namespace

int RunWithProcessArguments(int argc, char** argv, int (*program)(int, char**)) {
    return program(argc, argv);
}

std::string ExecutablePath() {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

std::string ExecutableFileName() { return "CorvaneSMART"; }

std::string SystemDirectory() {
    const std::string configured = Environment("CORVANE_SYSTEM_DIR");
    if (!configured.empty()) return configured;
    const std::string executable = ExecutablePath();
    const size_t slash = executable.rfind('/');
    return (slash == std::string::npos ? std::string(".") : executable.substr(0, slash)) + "/system";
}

std::string TemporaryDirectory() {
    std::string directory = Environment("TMPDIR");
    if (directory.empty()) directory = "/tmp";
    if (directory.back() != '/') directory += '/';
    return directory;
}

char PathSeparator() { return '/'; }

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

CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit) {
    CommandOutcome outcome;
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_init(&attributes);
    // A group of its own, so that a time-out can end everything the command started.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);

    // The stand-in tools of the system directory are found by name, as Windows finds its own.
    const std::string path = Environment("PATH");
    std::string searchPath = "PATH=" + SystemDirectory() + (path.empty() ? "" : ":" + path);
    std::vector<char*> environmentPointers;
    for (char** variable = environ; *variable; ++variable) {
        if (std::strncmp(*variable, "PATH=", 5) != 0) environmentPointers.push_back(*variable);
    }
    environmentPointers.push_back(searchPath.data());
    environmentPointers.push_back(nullptr);

    std::string interpreter = "/bin/sh";
    std::string option = "-c";
    std::string text = command;
    char* arguments[] = {interpreter.data(), option.data(), text.data(), nullptr};
    pid_t child = 0;
    const int error = posix_spawn(&child, interpreter.c_str(), &actions, &attributes, arguments, environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        std::fprintf(stderr, "platform: cannot start /bin/sh: %s\n", std::strerror(error));
        return outcome;
    }
    outcome.started = true;

    if (!WaitUntilEnded(child, Clock::now() + limit)) {
        outcome.timedOut = true;
        kill(-child, SIGKILL);
    }
    int status = 0;
    pid_t reaped;
    while ((reaped = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    if (reaped != child) {
        std::fprintf(stderr, "platform: lost track of the interpreter %d: %s\n", child, std::strerror(errno));
        return outcome;
    }
    if (!outcome.timedOut && WIFEXITED(status)) outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

bool CreateHiddenFile(const std::string& path) {
    const int descriptor = open(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

bool StartThroughShell(const std::string& program, const std::string& parameters) {
    // Detached: the companion outlives the monitor and is never waited for, so it is started from a
    // short-lived intermediate process that init adopts.
    const pid_t intermediate = fork();
    if (intermediate < 0) return false;
    if (intermediate == 0) {
        setsid();
        if (fork() == 0) {
            // As the Windows shell does, a bare name is found in the current directory before the
            // search path.
            const std::string local = "./" + program;
            const bool bareLocal = program.find('/') == std::string::npos && access(local.c_str(), X_OK) == 0;
            const std::string& file = bareLocal ? local : program;
            std::vector<char*> arguments{const_cast<char*>(file.c_str())};
            if (!parameters.empty()) arguments.push_back(const_cast<char*>(parameters.c_str()));
            arguments.push_back(nullptr);
            execvp(file.c_str(), arguments.data());
            _exit(127);
        }
        _exit(0);
    }
    int status = 0;
    while (waitpid(intermediate, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool ClaimSingleInstance(const std::string& lockPath) {
    const int descriptor = open(lockPath.c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        std::fprintf(stderr, "platform: cannot open the instance lock %s: %s\n", lockPath.c_str(),
                     std::strerror(errno));
        return true;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0) return true;  // held until the process ends
    close(descriptor);
    return false;
}

void MakeProcessDpiAware() {}

int PrimaryMonitorDpi() {
    const int configured = std::atoi(Environment("CORVANE_DPI").c_str());
    if (configured > 0) return configured;
    const int published = XDisplay().PublishedDpi();
    return published > 0 ? published : 96;
}

WorkArea PrimaryWorkArea() {
    WorkArea area{16384, 16384};
    if (ParseWorkArea(Environment("CORVANE_WORKAREA"), area)) return area;
    const WorkArea screen = XDisplay().ScreenSize();
    if (screen.width > 0 && screen.height > 0) return screen;
    return area;
}

}  // namespace platform
