#include "ToolRun.h"

#include "System.h"

#include <cstdio>
#include <cstdlib>

namespace standin {

int Finish(const ToolOutcome& outcome) {
    WriteAll(StandardOutput, outcome.output);
    WriteAll(StandardError, outcome.errors);
    return outcome.exitCode;
}

void LogRun(const std::string& tool, const std::vector<std::string>& arguments) {
    const char* log = std::getenv("CORVANE_TOOL_LOG");
    if (!log || !*log) return;
    std::string line = tool;
    for (const std::string& argument : arguments) line += " " + argument;
    std::string problem;
    // One write, so that tools of one pipe never mix their lines.
    if (!AppendToFile(log, line + "\n", problem))
        std::fprintf(stderr, "%s: cannot append to the tool log %s: %s\n", tool.c_str(), log, problem.c_str());
}

}  // namespace standin
