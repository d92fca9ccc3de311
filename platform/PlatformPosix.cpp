// POSIX stand-ins for the Windows services the monitor uses. Environment variables let tests and
// demonstrations describe a machine: CORVANE_SYSTEM_DIR, CORVANE_DPI and CORVANE_WORKAREA.

#include "PathRules.h"
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
#include <cctype>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
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

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

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

bool BelongsToUserOrRoot(const struct stat& info) { return info.st_uid == geteuid() || info.st_uid == 0; }

// The names of `path` between its slashes, last first, as a stack of what is left to walk.
std::vector<std::string> NamesToWalk(const std::string& path) {
    std::vector<std::string> names;
    for (size_t end = path.size(); end > 0;) {
        const size_t slash = path.rfind('/', end - 1);
        const size_t start = slash == std::string::npos ? 0 : slash + 1;
        if (end > start) names.push_back(path.substr(start, end - start));
        if (slash == std::string::npos) break;
        end = slash;
    }
    return names;
}

// No one but this user, or root, can rename, remove or replace anything on the way to `folder`, walked
// as given, one entry at a time, as the system resolves it: every folder and every link belongs to this
// user or to root, a folder that others may write to has the sticky bit, which keeps them to their own
// entries, and a link's target is walked the same way. So every later use of the same path arrives at
// the folder checked here.
bool IsSafeFolderChain(const std::string& folder, std::string& problem) {
    if (!detail::IsAbsolutePath(folder)) {
        problem = folder + " is not an absolute path";
        return false;
    }
    std::vector<std::string> names = NamesToWalk(folder);
    std::string reached;  // the folders walked so far, free of links; empty for the root
    std::string step = "/";
    int linksFollowed = 0;
    for (;;) {
        struct stat info{};
        if (lstat(step.c_str(), &info) != 0) {
            problem = Reason(step);
            return false;
        }
        if (!BelongsToUserOrRoot(info)) {
            problem = step + " belongs to user " + std::to_string(info.st_uid);
            return false;
        }
        if (S_ISLNK(info.st_mode)) {
            std::vector<char> target(PATH_MAX + 1);
            const ssize_t length = readlink(step.c_str(), target.data(), target.size());
            if (length <= 0 || static_cast<size_t>(length) >= target.size() || ++linksFollowed > 40) {
                problem = step + " is a link that cannot be followed";
                return false;
            }
            const std::string destination(target.data(), static_cast<size_t>(length));
            for (const std::string& name : NamesToWalk(destination)) names.push_back(name);
            if (detail::IsAbsolutePath(destination)) reached.clear();
        } else if (!S_ISDIR(info.st_mode)) {
            problem = step + " is not a folder";
            return false;
        } else if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !(info.st_mode & S_ISVTX)) {
            problem = step + " is open to other users and has no sticky bit";
            return false;
        } else {
            reached = step == "/" ? std::string() : step;
        }
        // "." and ".." move within what has been walked already.
        for (;;) {
            if (names.empty()) return true;
            const std::string name = names.back();
            names.pop_back();
            if (name == "..") {
                reached.erase(reached.empty() ? 0 : reached.rfind('/'));
            } else if (name != ".") {
                step = reached + "/" + name;
                break;
            }
        }
    }
}

class PosixHeldFile : public HeldFile {
public:
    explicit PosixHeldFile(int descriptor) : descriptor_(descriptor) {}
    ~PosixHeldFile() override { close(descriptor_); }
    PosixHeldFile(const PosixHeldFile&) = delete;
    PosixHeldFile& operator=(const PosixHeldFile&) = delete;

private:
    int descriptor_;
};

bool WriteAll(int descriptor, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR) continue;
        if (step <= 0) return false;
        written += static_cast<size_t>(step);
    }
    return true;
}

// The files a program name may stand for along `path`, in order; a name with a slash stands for itself.
std::vector<std::string> SearchPathCandidates(const std::string& program, const std::string& path) {
    if (program.find('/') != std::string::npos) return {program};
    std::vector<std::string> candidates;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find(':', start);
        const std::string folder = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        candidates.push_back((folder.empty() ? std::string(".") : folder) + "/" + program);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return candidates;
}

// Where a companion named `program` may be, in the order they are tried: a bare name in the current
// directory first, as the Windows shell does, then along the search path.
std::vector<std::string> ProgramCandidates(const std::string& program) {
    const std::string local = "./" + program;
    if (program.find('/') == std::string::npos && access(local.c_str(), X_OK) == 0) return {local};
    return SearchPathCandidates(program, Environment("PATH"));
}

// A command of the plain kind the monitor builds: programs with their words, joined by "|", the last
// one's output sent to a file with ">" or ">>".
struct PlainCommand {
    std::vector<std::vector<std::string>> programs{1};
    std::string output;
    bool append = false;
};

// Words are plain characters or text in single quotes ('\'' for a quote); anything else the
// interpreter would treat specially makes the command not plain.
std::optional<PlainCommand> ParsePlainCommand(const std::string& command) {
    PlainCommand plain;
    std::string word;
    bool inWord = false;
    bool outputNext = false;
    const auto endWord = [&] {
        if (!inWord) return true;
        // An empty name to write to is an error the interpreter reports itself.
        if (outputNext && (!plain.output.empty() || word.empty())) return false;
        (outputNext ? plain.output : plain.programs.back().emplace_back()) = word;
        word.clear();
        inWord = outputNext = false;
        return true;
    };
    for (size_t i = 0; i < command.size(); ++i) {
        const char c = command[i];
        if (c == ' ' || c == '\t') {
            if (!endWord()) return std::nullopt;
        } else if (c == '\'') {
            const size_t close = command.find('\'', i + 1);
            if (close == std::string::npos) return std::nullopt;
            word.append(command, i + 1, close - i - 1);
            inWord = true;
            i = close;
        } else if (c == '\\' && i + 1 < command.size() && command[i + 1] == '\'') {
            word += '\'';
            inWord = true;
            ++i;
        } else if (c == '|' || c == '>') {
            // "2>" names a descriptor, which only the interpreter handles.
            if ((inWord && std::isdigit(static_cast<unsigned char>(command[i - 1]))) || !endWord() || outputNext ||
                !plain.output.empty() || plain.programs.back().empty())
                return std::nullopt;
            if (c == '|') {
                plain.programs.emplace_back();
            } else {
                plain.append = i + 1 < command.size() && command[i + 1] == '>';
                i += plain.append ? 1 : 0;
                outputNext = true;
            }
        } else if (std::isalnum(static_cast<unsigned char>(c)) || std::strchr("-_./:,+@%", c) ||
                   static_cast<unsigned char>(c) >= 0x80) {
            word += c;
            inWord = true;
        } else {
            return std::nullopt;
        }
    }
    if (!endWord() || outputNext || plain.programs.back().empty()) return std::nullopt;
    return plain;
}

// The file `program` names as the interpreter finds it: a name with a slash is that very file, whatever
// stands there; a bare name is the first executable regular file of that name along `path`, or none.
std::string FindProgram(const std::string& program, const std::string& path) {
    if (program.find('/') != std::string::npos) return program;
    for (const std::string& candidate : SearchPathCandidates(program, path)) {
        struct stat info{};
        if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// The interpreter's exit code for a program that is not there (127) or is there but cannot be run (126).
int ExitCodeForStartError(int error) {
    return error == ENOENT || error == ENOTDIR || error == ELOOP || error == ENAMETOOLONG ? 127 : 126;
}

// Starts `file` with `words` as its arguments; a file the system will not run for want of "#!" is run by
// /bin/sh, as the interpreter does. Returns the process, or -1 with the reason in `error`.
pid_t StartProgram(const std::string& file, const std::vector<std::string>& words,
                   const posix_spawn_file_actions_t& actions, const posix_spawnattr_t& attributes,
                   char* const* environment, int& error) {
    std::vector<char*> arguments;
    for (const std::string& word : words) arguments.push_back(const_cast<char*>(word.c_str()));
    arguments.push_back(nullptr);
    pid_t child = 0;
    error = posix_spawn(&child, file.c_str(), &actions, &attributes, arguments.data(), environment);
    if (error == ENOEXEC) {
        // "/bin/sh FILE ARGS": the file in place of the program's name.
        arguments.front() = const_cast<char*>(file.c_str());
        arguments.insert(arguments.begin(), const_cast<char*>("/bin/sh"));
        error = posix_spawn(&child, "/bin/sh", &actions, &attributes, arguments.data(), environment);
    }
    return error == 0 ? child : -1;
}

// Opens the file a command's output goes to, made or emptied as the interpreter would, without waiting:
// the monitor opens it itself, before the time limit runs, so a pipe or a device at its name is refused
// rather than waited on. Returns -1 when it cannot be opened.
int OpenCommandOutput(const PlainCommand& plain) {
    if (plain.output.empty()) return open("/dev/null", O_WRONLY | O_CLOEXEC);
    const int descriptor = open(plain.output.c_str(), O_WRONLY | O_CREAT | O_NOCTTY | O_CLOEXEC | O_NONBLOCK |
                                                          (plain.append ? O_APPEND : O_TRUNC), 0666);
    if (descriptor < 0) {
        std::fprintf(stderr, "platform: cannot open %s: %s\n", plain.output.c_str(), std::strerror(errno));
        return -1;
    }
    struct stat info{};
    const int flags = fcntl(descriptor, F_GETFL);
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
        fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        std::fprintf(stderr, "platform: %s is not a regular file to write to\n", plain.output.c_str());
        close(descriptor);
        return -1;
    }
    return descriptor;
}

// Starts the programs of `plain` as the interpreter would: each in the process group of the first, the
// output file opened (and so made) before anything runs, a program that cannot be started leaving its
// place in the pipeline empty. Returns the processes started and the exit code the interpreter gives
// when the last program could not be started or the output file not opened, or -1.
std::vector<pid_t> StartPlainCommand(const PlainCommand& plain, const std::string& searchPath,
                                     char* const* environment, int& exitCodeWithoutStart) {
    std::vector<pid_t> started;
    exitCodeWithoutStart = -1;
    const int outputFile = OpenCommandOutput(plain);
    if (outputFile < 0) {
        exitCodeWithoutStart = 2;
        return started;
    }
    int input = open("/dev/null", O_RDONLY | O_CLOEXEC);
    pid_t group = 0;
    for (size_t index = 0; index < plain.programs.size(); ++index) {
        const bool last = index + 1 == plain.programs.size();
        int pipeEnds[2] = {-1, -1};
        if (!last && pipe2(pipeEnds, O_CLOEXEC) != 0) break;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, last ? outputFile : pipeEnds[1], STDOUT_FILENO);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigset_t pipeSignal;
        sigemptyset(&none);
        sigemptyset(&pipeSignal);
        sigaddset(&pipeSignal, SIGPIPE);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        posix_spawnattr_setpgroup(&attributes, group);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &pipeSignal);
        const std::vector<std::string>& words = plain.programs[index];
        const std::string program = FindProgram(words.front(), searchPath);
        int error = ENOENT;
        const pid_t child = program.empty() ? -1 : StartProgram(program, words, actions, attributes, environment, error);
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
        if (child > 0) {
            started.push_back(child);
            if (group == 0) group = child;
        } else {
            std::fprintf(stderr, "platform: cannot start %s: %s\n", words.front().c_str(), std::strerror(error));
            if (last) exitCodeWithoutStart = ExitCodeForStartError(error);
        }
        close(input);
        if (!last) close(pipeEnds[1]);
        input = pipeEnds[0];
    }
    if (input >= 0) close(input);
    close(outputFile);
    return started;
}

}  // namespace

namespace detail {
bool IsAbsolutePath(const std::string& path) { return !path.empty() && path.front() == '/'; }
}  // namespace detail

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

// $XDG_RUNTIME_DIR is the user's own by definition; without it, a folder of the user's own under the
// temporary directory, named after the user so that users sharing /tmp never meet.
std::string PrepareWorkDirectory(std::string& problem) {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    const std::string parent = runtime.empty() ? TemporaryDirectory() : runtime + "/";
    const std::string folder =
        parent + (runtime.empty() ? "corvane-smart-" + std::to_string(geteuid()) : std::string("corvane-smart"));
    if (!IsSafeFolderChain(parent, problem)) return {};
    // Made only when it is missing: making a folder takes the lock of the folder it is made in, even
    // when it is there already, and any user can hold the lock of a shared /tmp for as long as they like.
    struct stat info{};
    bool present = lstat(folder.c_str(), &info) == 0;
    if (!present && errno == ENOENT) {
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            problem = Reason("cannot make " + folder);
            return {};
        }
        present = lstat(folder.c_str(), &info) == 0;
    }
    if (!present) {
        problem = Reason(folder);
        return {};
    }
    if (!S_ISDIR(info.st_mode)) {
        problem = folder + " is a link or a file, not a folder";
        return {};
    }
    if (info.st_uid != geteuid()) {
        problem = folder + " belongs to user " + std::to_string(info.st_uid);
        return {};
    }
    if (info.st_mode & (S_IRWXG | S_IRWXO)) {
        problem = folder + " is open to other users";
        return {};
    }
    return folder + "/";
}

char PathSeparator() { return '/'; }

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

    const std::optional<PlainCommand> plain = ParsePlainCommand(command);
    std::vector<pid_t> started;
    int exitCodeWithoutStart = -1;
    if (plain) {
        started = StartPlainCommand(*plain, searchPath, environment.data(), exitCodeWithoutStart);
    } else {
        PlainCommand interpreter;
        interpreter.programs = {{"/bin/sh", "-c", command}};
        started = StartPlainCommand(interpreter, searchPath, environment.data(), exitCodeWithoutStart);
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

FileContent ReadOwnFile(const std::string& path, std::size_t largest) {
    FileContent content;
    const int descriptor = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        content.problem = Reason(path);
        return content;
    }
    struct stat info{};
    if (fstat(descriptor, &info) != 0) {
        content.problem = Reason(path);
    } else if (!S_ISREG(info.st_mode)) {
        content.problem = path + " is not a regular file";
    } else if (info.st_uid != geteuid()) {
        content.problem = path + " belongs to user " + std::to_string(info.st_uid);
    } else {
        content.size = static_cast<unsigned long long>(info.st_size);
        content.bytes.reserve(static_cast<size_t>(std::min<unsigned long long>(content.size, largest)));
        char block[65536];
        while (content.bytes.size() < largest) {
            const ssize_t step = read(descriptor, block, std::min(sizeof block, largest - content.bytes.size()));
            if (step < 0 && errno == EINTR) continue;
            if (step <= 0) break;
            content.bytes.append(block, static_cast<size_t>(step));
        }
        content.read = true;
    }
    close(descriptor);
    return content;
}

std::unique_ptr<HeldFile> HoldNewFile(const std::string& path, const std::string& content, std::string& problem) {
    if (unlink(path.c_str()) != 0 && errno != ENOENT) {
        problem = Reason("cannot remove " + path);
        return nullptr;
    }
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        problem = Reason("cannot create " + path);
        return nullptr;
    }
    // Read-only once written, so that nothing, not even a program of this user, changes it by mistake.
    if (!WriteAll(descriptor, content) || fchmod(descriptor, 0400) != 0) {
        problem = Reason("cannot write " + path);
        close(descriptor);
        return nullptr;
    }
    return std::make_unique<PosixHeldFile>(descriptor);
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

InstanceClaim ClaimSingleInstance(const std::string& lockPath, std::string& problem) {
    const int descriptor = open(lockPath.c_str(), O_CREAT | O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        problem = Reason("cannot open " + lockPath);
        return InstanceClaim::Unavailable;
    }
    struct stat info{};
    InstanceClaim claim = InstanceClaim::Unavailable;
    if (fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        problem = lockPath + " is not a regular file";
    else if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        return InstanceClaim::Claimed;  // held until the process ends
    else if (errno == EWOULDBLOCK)
        claim = InstanceClaim::HeldByAnother;
    else
        problem = Reason("cannot lock " + lockPath);
    close(descriptor);
    return claim;
}

void MakeProcessDpiAware() {}

std::string PowerShellProgram() { return "powershell"; }

// Root's environment and current folder are root's own: no other user chooses them.
void ShieldElevatedProcess() {}

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
