// The plain commands the monitor builds, parsed and started as /bin/sh would run them.

#include "PosixInternal.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>

namespace platform::posix {
namespace {

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

}  // namespace

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

}  // namespace platform::posix
