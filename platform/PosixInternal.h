#pragma once

// What the POSIX side's files share: the environment, a failure's reason, and the plain commands the
// monitor builds, which are run directly, exactly as /bin/sh would run them.

#include <sys/types.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace platform::posix {

inline std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

inline std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

// A command of the plain kind the monitor builds: programs with their words, joined by "|", the last
// one's output sent to a file with ">" or ">>".
struct PlainCommand {
    std::vector<std::vector<std::string>> programs{1};
    std::string output;
    bool append = false;
};

// The plain command `command` is, or nothing when the interpreter would treat any of it specially.
std::optional<PlainCommand> ParsePlainCommand(const std::string& command);

// The files a program name may stand for along `path`, in order; a name with a slash stands for itself.
std::vector<std::string> SearchPathCandidates(const std::string& program, const std::string& path);

// Starts the programs of `plain`, the processes of one group, its bare names found along `searchPath`;
// the processes started, and in `exitCodeWithoutStart` the interpreter's exit code where the last
// program or the output file could not be had (else -1).
std::vector<pid_t> StartPlainCommand(const PlainCommand& plain, const std::string& searchPath,
                                     char* const* environment, int& exitCodeWithoutStart);

}  // namespace platform::posix
