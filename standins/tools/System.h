#pragma once

// What the stand-in tools ask of the system they run on: SystemPosix.cpp on Linux, where they also
// read this machine, and SystemWin32.cpp in the Windows build, where they answer for described
// machines only.

#include "Machine.h"

#include <memory>
#include <optional>
#include <string>

namespace standin {

constexpr int StandardOutput = 1;
constexpr int StandardError = 2;

// All of `text`, through interruptions, as it stands (no line-end translation); a closed pipe ends it
// quietly (the reader no longer wants it).
void WriteAll(int descriptor, const std::string& text);

std::string ReadStandardInput();

// A file's bytes, at most `limit` of them; nothing when it cannot be read. Opening never waits (on a
// named pipe, say).
std::optional<std::string> ReadFileText(const std::string& path, size_t limit = 1 << 20);

// Appends `text` to `path` in one write, creating the file; false, with `problem` set, when it cannot.
bool AppendToFile(const std::string& path, const std::string& text, std::string& problem);

// The computer's name, as WMIC and diskpart print it.
std::string ComputerName();

// The machine the tools run on, when no described machine is given.
std::unique_ptr<MachineSource> OpenThisMachine();

// smartctl's report of `drive`, a disk of this machine, on standard output; its exit code.
int ReportThisMachinesDrive(const Drive& drive, const std::string& cannotRead);

}  // namespace standin
