#pragma once

// What every tool program does around its work: append its run to the tool log, and write out its
// outcome.

#include "WindowsTools.h"

#include <string>
#include <vector>

namespace standin {

// Writes the outcome's output and errors and returns its exit code.
int Finish(const ToolOutcome& outcome);

// Appends "tool arguments..." as one line to the file CORVANE_TOOL_LOG names, if any.
void LogRun(const std::string& tool, const std::vector<std::string>& arguments);

}  // namespace standin
