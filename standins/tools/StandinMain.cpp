// The stand-ins of the Windows tools the monitor runs, one program installed under each tool's name
// (wbem/WMIC.exe, diskpart.exe, smartctl64Bit.exe, tasklist.exe, findstr.exe, shutdown); the name it
// is started under chooses the tool. They answer from a described machine (CORVANE_SIMULATED_MACHINE)
// or from this Linux machine, and append each run to the file CORVANE_TOOL_LOG names, if any.

#include "Machine.h"
#include "System.h"
#include "Text.h"
#include "ToolRun.h"
#include "WindowsTools.h"

#include <cstdio>
#include <map>

namespace standin {
namespace {

using Arguments = std::vector<std::string>;

// A described drive's report is copied whole up to this size.
constexpr size_t LargestReport = 1 << 26;

int Wmic(const Arguments& arguments) {
    ToolOutcome refusal;
    const std::optional<WmicColumns> columns = ParseWmicQuery(arguments, ComputerName(), refusal);
    if (!columns) return Finish(refusal);
    return Finish({WmicTable(OpenMachine()->Drives(), *columns), "", 0});
}

int Diskpart(const Arguments& arguments) {
    if (arguments.size() < 2 || (arguments[0] != "/s" && arguments[0] != "/S") || arguments[1].empty())
        return Finish({"stand-in diskpart knows only: diskpart /s SCRIPT\r\n", "", 1});
    const std::string banner = DiskpartBanner(ComputerName());
    const std::optional<std::string> script = ReadFileText(arguments[1]);
    if (!script)
        return Finish(
            {banner + "DiskPart was unable to open or read the script file \"" + arguments[1] + "\".\r\n", "", 1});
    const std::unique_ptr<MachineSource> machine = OpenMachine();
    ToolOutcome outcome =
        RunDiskpartScript(*script, machine->Drives(), [&machine](size_t index) { return machine->Volumes(index); });
    outcome.output.insert(0, banner);
    return Finish(outcome);
}

int Smartctl(const Arguments& arguments) {
    std::string device;
    const std::optional<size_t> index = SmartDeviceIndex(arguments, device);
    const std::string cannotRead = SmartCannotRead(device);
    if (!index) return Finish({cannotRead, "", 2});
    const std::unique_ptr<MachineSource> machine = OpenMachine();
    const std::vector<Drive> drives = machine->Drives();
    if (*index >= drives.size()) return Finish({cannotRead, "", 2});
    const Drive& drive = drives[*index];
    if (!drive.kernelName.empty()) return ReportThisMachinesDrive(drive, cannotRead);
    const std::optional<std::string> report = drive.report.empty() ? std::nullopt : ReadFileText(drive.report, LargestReport);
    return Finish(report ? ToolOutcome{*report, "", 0} : ToolOutcome{cannotRead, "", 2});
}

int Tasklist(const Arguments& arguments) {
    if (!arguments.empty())
        return Finish({"", "ERROR: Invalid argument/option - '" + arguments[0] + "'.\r\nType \"TASKLIST /?\" for usage.\r\n",
                       1});
    return Finish({TasklistTable(OpenMachine()->Processes()), "", 0});
}

int FindstrTool(const Arguments& arguments) { return Finish(Findstr(arguments, ReadStandardInput())); }

// It never shuts anything down: "/s" is accepted and only logged. The package installs a program of its
// own under this name, which does.
int Shutdown(const Arguments& arguments) {
    if (!IsShutdownRequest(arguments)) return Finish({"", "stand-in shutdown knows only: shutdown /s\r\n", 1});
    return 0;
}

// The tool a program path names, by its canonical name: on Windows, cmd starts it under the name the
// command gave (any case, with or without ".exe", with or without its folder).
std::string ToolName(const std::string& path, const std::vector<std::string>& tools) {
    const std::string name = Lower(path.substr(path.find_last_of("/\\") + 1));
    for (const std::string& tool : tools) {
        const std::string canonical = Lower(tool);
        const std::string bare = canonical.substr(0, canonical.rfind(".exe"));
        if (name == canonical || name == bare || name == bare + ".exe") return tool;
    }
    return {};
}

}  // namespace
}  // namespace standin

int main(int argc, char** argv) {
    using namespace standin;
    static const std::map<std::string, int (*)(const Arguments&)> tools = {
        {"WMIC.exe", Wmic},         {"diskpart.exe", Diskpart}, {"smartctl64Bit.exe", Smartctl},
        {"tasklist.exe", Tasklist}, {"findstr.exe", FindstrTool}, {"shutdown", Shutdown}};
    std::vector<std::string> names;
    for (const auto& tool : tools) names.push_back(tool.first);
    const std::string path = argc > 0 ? argv[0] : "";
    const auto tool = tools.find(ToolName(path, names));
    if (tool == tools.end()) {
        std::fprintf(stderr, "stand-in: started as \"%s\", which is none of the tools it stands in for\n",
                     path.substr(path.find_last_of("/\\") + 1).c_str());
        return 2;
    }
    const Arguments arguments(argv + 1, argv + argc);
    LogRun(tool->first, arguments);
    return tool->second(arguments);
}
