#pragma once

// Runs the external tools: one command line at a time, through the command interpreter, hidden, and
// waited for. What a tool prints reaches the monitor only through a capture file (CaptureFile.h).

#include "platform/Platform.h"

#include <QString>

#include <chrono>
#include <string>

// A tool that runs longer than this is ended together with everything it started.
inline constexpr std::chrono::milliseconds CommandTimeLimit{std::chrono::seconds(120)};

// A tool whose capture grows past this is ended like one that hangs: no report is that long, and an
// endless one would fill the disk.
inline constexpr unsigned long long LargestToolOutput = 64ull * 1024 * 1024;

// CommandTimeLimit, or the whole seconds in CORVANE_COMMAND_TIME_LIMIT when that is set, so that
// tests of hanging tools need not wait two minutes.
std::chrono::milliseconds EffectiveCommandTimeLimit();

// Runs command + " " + argument (both UTF-8) and returns once it has ended or was ended.
void RunCommand(const std::string& command, const std::string& argument);

// RunCommand for a command that appends a tool's output to `capturePath`: the tool is also ended when
// its capture passes LargestToolOutput.
void RunCapturing(const std::string& command, const QString& capturePath);

platform::CommandOutcome RunCommandWithin(const std::string& command, const std::string& argument,
                                          std::chrono::milliseconds limit, const platform::OutputWatch& watch = {});

// A path as one word of a command line, whatever spaces or letters it holds.
QString QuotedPath(const QString& path);

// A tool in the system directory, e.g. SystemToolPath("wbem/WMIC.exe"), with native separators.
QString SystemToolPath(const QString& relativePath);

// Turns the "/" of a path into the native separator.
QString NativePath(QString path);
