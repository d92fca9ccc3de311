#pragma once

// The one place where the monitor meets the operating system. Plain C++17 and UTF-8 strings, so the
// Windows implementation can be cross-compiled and tested without Qt.

#include <chrono>
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

char PathSeparator();

// `path` as one word of a command line for the command interpreter.
std::string QuoteForInterpreter(const std::string& path);

struct CommandOutcome {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
};

// Runs `command` through the command interpreter with no visible window and waits for it. When
// `limit` passes first, every process the command started is ended.
CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit);

// Creates (or empties) a file with the hidden attribute where the system has one.
bool CreateHiddenFile(const std::string& path);

// Starts a program through the shell without waiting for it; `parameters` may be empty. A bare
// program name is looked for in the current directory first.
bool StartThroughShell(const std::string& program, const std::string& parameters);

// Returns false when another process already holds the claim on `lockPath`. A successful claim lasts
// until the process ends.
bool ClaimSingleInstance(const std::string& lockPath);

void MakeProcessDpiAware();

// Horizontal DPI of the primary monitor; 96 when nothing better is known.
int PrimaryMonitorDpi();

struct WorkArea {
    int width = 0;
    int height = 0;
};

WorkArea PrimaryWorkArea();

}  // namespace platform
