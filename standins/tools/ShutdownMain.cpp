// shutdown as the package installs it in the monitor's system folder: "shutdown /s" asks systemd-logind,
// through systemctl, to power the machine off, as the desktop's own menu does. polkit grants that to the
// user of an active local session, and to root. When the request is refused or fails, the exit code is
// not 0 and the reason is on standard error: systemctl's own words, then this program's line.
//
// This is the one program that asks for a power-off. The build tree's system/shutdown is the stand-in
// program, which only logs the request; on a described machine this one only logs it too.

#include "Machine.h"
#include "System.h"
#include "ToolRun.h"
#include "WindowsTools.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Where Debian's systemd puts it; by its full path, so that no search path can put another program there.
constexpr const char* Systemctl = "/bin/systemctl";

// Without a password prompt: polkit's answer for this session stands. A prompt would hold the monitor,
// which waits for this tool with its whole interface, until someone answered it or the monitor's time
// limit ended it.
const std::vector<std::string> PowerOffArguments = {"systemctl", "--no-ask-password", "poweroff"};

std::string CommandText() {
    std::string text = Systemctl;
    for (size_t i = 1; i < PowerOffArguments.size(); ++i) text += " " + PowerOffArguments[i];
    return text;
}

void ReportFailure(const std::string& why) {
    standin::WriteAll(STDERR_FILENO, "shutdown: the machine was not powered off: " + why + "\n");
}

int RequestPowerOff() {
    std::vector<std::string> arguments = PowerOffArguments;
    std::vector<char*> words;
    for (std::string& argument : arguments) words.push_back(argument.data());
    words.push_back(nullptr);
    pid_t child = 0;
    if (const int error = posix_spawn(&child, Systemctl, nullptr, nullptr, words.data(), environ); error != 0) {
        ReportFailure("cannot run " + std::string(Systemctl) + ": " + std::strerror(error));
        return 127;
    }
    int status = 0;
    pid_t reaped;
    while ((reaped = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
    }
    if (reaped != child) {
        ReportFailure("lost track of " + CommandText() + ": " + std::strerror(errno));
        return 1;
    }
    const int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (exitCode != 0) ReportFailure(CommandText() + " ended with exit code " + std::to_string(exitCode));
    return exitCode;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    standin::LogRun("shutdown", arguments);
    if (!standin::IsShutdownRequest(arguments))
        return standin::Finish({"", "shutdown knows only: shutdown /s\n", 1});
    if (!standin::DescribedMachineFolder().empty()) return 0;
    return RequestPowerOff();
}
