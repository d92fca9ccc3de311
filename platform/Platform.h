#pragma once

// The one place where the monitor meets the operating system. Plain C++17 and UTF-8 strings, so the
// Windows implementation can be cross-compiled and tested without Qt.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// Runs `program` with the process's own arguments in UTF-8 and returns its result. On Windows the
// arguments come from the wide command line; when that cannot be split the result is -1.
int RunWithProcessArguments(int argc, char** argv, int (*program)(int argc, char** argv));

// The full path of the running program.
std::string ExecutablePath();

// The file name the monitor is installed under; its companions live beside it.
std::string ExecutableFileName();

// The directory of the operating system's own tools, without a trailing separator.
std::string SystemDirectory();

// The user's directory for temporary files, always ending in the native separator.
std::string TemporaryDirectory();

// The monitor's private folder for its captures, its diskpart script and its instance lock, ending in
// the native separator. It is made by the monitor, is a real folder (no link, no junction), belongs to
// the monitor's user and is closed to everyone else; each call checks this afresh. Empty when no such
// folder can be had, and `problem` says why.
std::string PrepareWorkDirectory(std::string& problem);

char PathSeparator();

// Whether the process runs with the system's administrative rights (elevated on Windows, root elsewhere).
bool RunsElevated();

// Whether the monitor's tools are refused the drives for want of rights: on Windows diskpart and smartctl
// refuse a monitor that is not elevated; elsewhere the report service reads the drives for every user.
bool LacksRightsToReadDrives();

// The whole line with which RunHidden starts the command interpreter for `command`.
std::string InterpreterCommandLine(const std::string& command);

// `path` as one word of a command line for the command interpreter.
std::string QuoteForInterpreter(const std::string& path);

// A tool path from the settings as the interpreter will take it word for word once quoted: one
// surrounding pair of quotes removed. Empty, with `problem` set, when it is empty, not an absolute path,
// or holds a quote, "%" or a control character, which quoting does not keep from the interpreter.
std::string LiteralToolPath(const std::string& setting, std::string& problem);

// Whether a monitor may run the tool at `toolPath` that the setting kept at `settingsLocation` (the
// registry key on Windows, the settings file elsewhere) names. Always for a monitor that is not
// elevated: its tools run with the user's own rights. Elevated, only when no account but the system's
// own and the administrators can change the settings' store, the tool or the tool's folder; otherwise
// `problem` names what can be changed, and by whom.
bool ElevatedMayRunTool(const std::string& toolPath, const std::string& settingsLocation, std::string& problem);

struct CommandOutcome {
    bool started = false;
    bool timedOut = false;
    bool outputTooLarge = false;
    // Processes of the command were still there a few seconds after they were ended, asleep where no
    // signal reaches them: they are left to end and reaped at a later run, and the command's output
    // file is removed, so nothing they wrote or still write is read. Never set on Windows, which waits
    // a few seconds for an ended command and goes on.
    bool givenUp = false;
    int exitCode = -1;
};

// A file the command writes, and the size at which the command is ended as if it had hung.
struct OutputWatch {
    std::string path;
    unsigned long long largest = 0;
};

// Runs `command` through the command interpreter with no visible window and waits for it. When
// `limit` passes first, or the watched output grows past its size, every process the command started
// is ended; it never waits more than a few seconds longer for them to go.
CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit, const OutputWatch& watch = {});

struct FileContent {
    bool read = false;
    std::string bytes;
    unsigned long long size = 0;  // of the whole file, of which at most the asked-for part is in `bytes`
    std::string problem;
};

// At most `largest` bytes of `path`, read only when it is a regular file of this process's user. A link,
// a pipe or a device is refused without being followed or waited on.
FileContent ReadOwnFile(const std::string& path, std::size_t largest);

// A file made anew for one use, with the hidden attribute where the system has one, kept for as long as
// the object lives. It lies in the private work folder, closed to other accounts. Where a handle of
// ours could stop the tool that reads it from opening it (Windows), it is not held open.
class HeldFile {
public:
    virtual ~HeldFile() = default;
};

// Removes whatever `path` names (never what a link points at) and creates the file exclusively with
// `content`. Nothing, with `problem` set, when any step fails.
std::unique_ptr<HeldFile> HoldNewFile(const std::string& path, const std::string& content, std::string& problem);

// Starts a program through the shell without waiting for it; `parameters` may be empty. A bare
// program name is looked for in the current directory first.
bool StartThroughShell(const std::string& program, const std::string& parameters);

enum class InstanceClaim { Claimed, HeldByAnother, Unavailable };

// Claims the lock at `lockPath` for this process until it ends. HeldByAnother only when another process
// holds it; Unavailable, with `problem` saying why, when the lock cannot be had for any other reason.
InstanceClaim ClaimSingleInstance(const std::string& lockPath, std::string& problem);

void MakeProcessDpiAware();

// The PowerShell that lists the drives when WMIC cannot: on Windows the system's own, by its full
// path, which no folder of the user's comes before; elsewhere the one the search path finds.
std::string PowerShellProgram();

// Run elevated, the monitor takes nothing from the user's environment that chooses what its tools
// run: the interpreter that cmd starts each side of a pipe with (COMSPEC), the folders PowerShell loads
// modules from (PSModulePath, the user's own first), and the current folder, which the interpreter
// searches for a tool named alone before the search path: its own installation folder instead.
void ShieldElevatedProcess();

// Horizontal DPI of the primary monitor; 96 when nothing better is known.
int PrimaryMonitorDpi();

struct WorkArea {
    int width = 0;
    int height = 0;
};

WorkArea PrimaryWorkArea();

}  // namespace platform
