// The stand-ins of the Windows tools the monitor runs, one program installed under each tool's name
// (wbem/WMIC.exe, diskpart.exe, smartctl64Bit.exe, tasklist.exe, findstr.exe, shutdown); the name it
// is started under chooses the tool. They answer from a described machine (CORVANE_SIMULATED_MACHINE)
// or from this Linux machine, and append each run to the file CORVANE_TOOL_LOG names, if any.

#include "LinuxBlockDevices.h"
#include "Machine.h"
#include "ReportCache.h"
#include "Text.h"
#include "WindowsTools.h"

#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace standin {
namespace {

using Arguments = std::vector<std::string>;

void WriteAll(int descriptor, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(descriptor, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return;  // a closed pipe: the reader no longer wants it
        done += static_cast<size_t>(wrote);
    }
}

int Finish(const ToolOutcome& outcome) {
    WriteAll(STDOUT_FILENO, outcome.output);
    WriteAll(STDERR_FILENO, outcome.errors);
    return outcome.exitCode;
}

std::string ReadStandardInput() {
    std::string input;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return input;
        input.append(buffer, static_cast<size_t>(got));
    }
}

std::string NodeName() {
    utsname names{};
    return uname(&names) == 0 ? names.nodename : "";
}

void LogRun(const std::string& tool, const Arguments& arguments) {
    const char* log = std::getenv("CORVANE_TOOL_LOG");
    if (!log || !*log) return;
    std::string line = tool;
    for (const std::string& argument : arguments) line += " " + argument;
    const int file = open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0) {
        std::fprintf(stderr, "stand-in: cannot append to the tool log %s: %s\n", log, std::strerror(errno));
        return;
    }
    WriteAll(file, line + "\n");  // one write, so that tools of one pipe never mix their lines
    close(file);
}

int Wmic(const Arguments& arguments) {
    ToolOutcome refusal;
    const std::optional<WmicColumns> columns = ParseWmicQuery(arguments, NodeName(), refusal);
    if (!columns) return Finish(refusal);
    return Finish({WmicTable(OpenMachine()->Drives(), *columns), "", 0});
}

int Diskpart(const Arguments& arguments) {
    if (arguments.size() < 2 || (arguments[0] != "/s" && arguments[0] != "/S") || arguments[1].empty())
        return Finish({"stand-in diskpart knows only: diskpart /s SCRIPT\r\n", "", 1});
    std::string computer = FirstLine("/proc/sys/kernel/hostname");
    if (computer.empty()) computer = NodeName();
    const std::string banner = DiskpartBanner(computer);
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

// Copies a described drive's report file; false when it cannot be opened.
bool CopyReport(const std::string& path) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0) return false;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(file, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        WriteAll(STDOUT_FILENO, std::string(buffer, static_cast<size_t>(got)));
    }
    close(file);
    return true;
}

// Debian's smartctl on the disk itself, as the root service runs it; what it cannot read it says on
// its standard output.
int RunRealSmartctl(const std::string& deviceNode) {
    std::vector<std::string> words = SmartctlCommand(deviceNode);
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    const int ownErrors = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 3);
    const int silence = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (silence >= 0) dup2(silence, STDERR_FILENO);
    execvp("smartctl", pointers.data());
    const std::string failure = std::string("stand-in smartctl64Bit.exe: cannot run smartctl: ") + std::strerror(errno) + "\n";
    if (ownErrors >= 0) WriteAll(ownErrors, failure);
    return 127;
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
    if (drive.kernelName.empty()) {
        if (drive.report.empty() || !CopyReport(drive.report)) return Finish({cannotRead, "", 2});
        return 0;
    }
    // Only root opens a drive for S.M.A.R.T.; any other user gets the report the root service keeps.
    if (geteuid() != 0) {
        if (const std::optional<std::string> report = ReadCachedReport(ReportFolder(), drive.kernelName))
            return Finish({*report, "", 0});
    }
    return RunRealSmartctl(DeviceNode(drive.kernelName));
}

int Tasklist(const Arguments& arguments) {
    if (!arguments.empty())
        return Finish({"", "ERROR: Invalid argument/option - '" + arguments[0] + "'.\r\nType \"TASKLIST /?\" for usage.\r\n",
                       1});
    return Finish({TasklistTable(OpenMachine()->Processes()), "", 0});
}

int FindstrTool(const Arguments& arguments) { return Finish(Findstr(arguments, ReadStandardInput())); }

// It never shuts anything down: "/s" is accepted and only logged.
int Shutdown(const Arguments& arguments) {
    std::string line;
    for (size_t i = 0; i < arguments.size(); ++i) line += (i > 0 ? " " : "") + arguments[i];
    if (line != "/s") return Finish({"", "stand-in shutdown knows only: shutdown /s\r\n", 1});
    return 0;
}

}  // namespace
}  // namespace standin

int main(int argc, char** argv) {
    using namespace standin;
    static const std::map<std::string, int (*)(const Arguments&)> tools = {
        {"WMIC.exe", Wmic},         {"diskpart.exe", Diskpart}, {"smartctl64Bit.exe", Smartctl},
        {"tasklist.exe", Tasklist}, {"findstr.exe", FindstrTool}, {"shutdown", Shutdown}};
    const std::string path = argc > 0 ? argv[0] : "";
    const std::string name = path.substr(path.rfind('/') + 1);
    const auto tool = tools.find(name);
    if (tool == tools.end()) {
        std::fprintf(stderr, "stand-in: started as \"%s\", which is none of the tools it stands in for\n", name.c_str());
        return 2;
    }
    const Arguments arguments(argv + 1, argv + argc);
    LogRun(name, arguments);
    return tool->second(arguments);
}
