#include "ToolRun.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace standin {

void WriteAll(int descriptor, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(descriptor, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return;
        done += static_cast<size_t>(wrote);
    }
}

int Finish(const ToolOutcome& outcome) {
    WriteAll(STDOUT_FILENO, outcome.output);
    WriteAll(STDERR_FILENO, outcome.errors);
    return outcome.exitCode;
}

void LogRun(const std::string& tool, const std::vector<std::string>& arguments) {
    const char* log = std::getenv("CORVANE_TOOL_LOG");
    if (!log || !*log) return;
    std::string line = tool;
    for (const std::string& argument : arguments) line += " " + argument;
    const int file = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) {
        std::fprintf(stderr, "%s: cannot append to the tool log %s: %s\n", tool.c_str(), log, std::strerror(errno));
        return;
    }
    WriteAll(file, line + "\n");  // one write, so that tools of one pipe never mix their lines
    close(file);
}

}  // namespace standin
