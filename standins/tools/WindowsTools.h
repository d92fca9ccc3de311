#pragma once

// What each Windows tool prints, as plain functions of its arguments and the machine. Texts and
// layouts are those of the Windows tools where the monitor reads them.

#include "Machine.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace standin {

struct ToolOutcome {
    std::string output;  // standard output
    std::string errors;  // standard error
    int exitCode = 0;
};

// "diskdrive get Index,Model": which columns, or the error WMIC gives.
struct WmicColumns {
    bool index = false;
    bool model = false;
};
// `nodeName` names the computer in WMIC's "Invalid query" error.
std::optional<WmicColumns> ParseWmicQuery(const std::vector<std::string>& arguments, const std::string& nodeName,
                                          ToolOutcome& refusal);
// WMIC's table as it writes it redirected: UTF-16LE with a byte-order mark, CR CR LF line ends, a
// blank line last.
std::string WmicTable(const std::vector<Drive>& drives, WmicColumns columns);

// "diskpart /s SCRIPT": the banner, then "list disk", "select disk N" and "detail disk" in any case,
// stopping at the first command that fails; CR LF line ends.
std::string DiskpartBanner(const std::string& computerName);
ToolOutcome RunDiskpartScript(const std::string& script, const std::vector<Drive>& drives,
                              const std::function<std::vector<Volume>(size_t)>& volumesOf);

// "tasklist" without options: the process table, CR LF line ends.
std::string TasklistTable(const std::vector<Process>& processes);
std::string GroupedThousands(long long number);  // 1234567 as "1,234,567"

// "findstr WORDS" on its input: the lines holding any of the words, /I for any case.
ToolOutcome Findstr(const std::vector<std::string>& arguments, const std::string& input);

// The Windows build of smartctl names the first, second, ... drive /dev/sda, /dev/sdb, ...: the
// drive index of the last /dev/ argument, if it names one that way.
std::optional<size_t> SmartDeviceIndex(const std::vector<std::string>& arguments, std::string& device);
// What smartctl prints when it finds no drive under a device name.
std::string SmartCannotRead(const std::string& device);

// "shutdown /s", the one form of shutdown the monitor runs; any other is refused.
bool IsShutdownRequest(const std::vector<std::string>& arguments);

}  // namespace standin
