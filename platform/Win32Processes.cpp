// Running tools and starting the companion applications on Windows. Every text crosses the boundary
// as UTF-8 and is converted exactly to and from UTF-16, so user names and folders outside ASCII work.

#include "Platform.h"
#include "Win32Internal.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {

using win32::Handle;
using win32::ReadWideValue;
using win32::TokenInformation;
using win32::Utf8;
using win32::Wide;

// An elevated monitor takes the system's own interpreter: COMSPEC comes from the user's environment,
// which the user's unelevated programs can change.
std::string Interpreter() {
    if (RunsElevated()) return SystemDirectory() + "\\cmd.exe";
    const std::string comspec = ReadWideValue([](wchar_t* buffer, DWORD size) {
        return GetEnvironmentVariableW(L"COMSPEC", buffer, size);
    });
    return comspec.empty() ? std::string("CMD.EXE") : comspec;
}

unsigned long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data)) return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace

int RunWithProcessArguments(int, char**, int (*program)(int, char**)) {
    int count = 0;
    wchar_t** wideArguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wideArguments) return -1;
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(Utf8(wideArguments[i]));
    LocalFree(wideArguments);

    std::vector<char*> vector;
    for (std::string& argument : arguments) vector.push_back(argument.data());
    vector.push_back(nullptr);
    return program(count, vector.data());
}

std::string ExecutablePath() {
    return ReadWideValue([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
}

std::string ExecutableFileName() { return "CorvaneSMART.exe"; }

std::string SystemDirectory() {
    return ReadWideValue([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
}

bool LacksRightsToReadDrives() { return !RunsElevated(); }

bool RunsElevated() {
    const std::vector<unsigned char> elevation = TokenInformation(TokenElevation);
    return elevation.size() >= sizeof(TOKEN_ELEVATION) &&
           reinterpret_cast<const TOKEN_ELEVATION*>(elevation.data())->TokenIsElevated;
}

// "/d" keeps the user's AutoRun commands out of every tool run, "/v:off" the user's DelayedExpansion
// setting, under which "!" in a path would be expanded even inside quotes; "/s" makes cmd strip
// exactly the outer pair of quotes and keep every quote inside the command.
std::string InterpreterCommandLine(const std::string& command) {
    return Interpreter() + " /d /v:off /s /c \"" + command + "\"";
}

std::string QuoteForInterpreter(const std::string& path) { return "\"" + path + "\""; }

CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit, const OutputWatch& watch) {
    CommandOutcome outcome;
    std::wstring commandLine = Wide(InterpreterCommandLine(command));

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    // The interpreter is always there, so a failed start is the system's passing trouble (seen under
    // Wine as an internal error while the new console came up): it is tried once more.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_SUSPENDED,
                           nullptr, nullptr, &startup, &process))
            break;
        std::fprintf(stderr, "platform: CreateProcessW failed with error %lu (attempt %d)\n", GetLastError(), attempt);
        if (attempt == 2) return outcome;
        Sleep(100);
    }
    outcome.started = true;

    // The job holds the interpreter and everything it starts, so a time-out can end them all.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    const bool inJob = job && AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    DWORD waited = WAIT_TIMEOUT;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        // A watched output is looked at every 10 ms, so a fast flood overshoots its bound by megabytes only.
        const long long slice = watch.path.empty() ? left.count() : std::min<long long>(left.count(), 10);
        waited = WaitForSingleObject(process.hProcess, static_cast<DWORD>(std::clamp<long long>(slice, 0, INFINITE - 1)));
        if (waited != WAIT_TIMEOUT || left.count() <= 0) break;
        if (!watch.path.empty() && FileSize(watch.path) > watch.largest) {
            outcome.outputTooLarge = true;
            break;
        }
    }
    if (waited == WAIT_TIMEOUT) {
        outcome.timedOut = !outcome.outputTooLarge;
        if (inJob)
            TerminateJobObject(job, 1);
        else
            TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    } else {
        DWORD exitCode = 0;
        if (GetExitCodeProcess(process.hProcess, &exitCode)) outcome.exitCode = static_cast<int>(exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (job) CloseHandle(job);
    return outcome;
}

bool StartThroughShell(const std::string& program, const std::string& parameters) {
    const std::wstring file = Wide(program);
    const std::wstring arguments = Wide(parameters);
    const HINSTANCE result = ShellExecuteW(nullptr, nullptr, file.c_str(), arguments.empty() ? nullptr : arguments.c_str(),
                                           nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

std::string PowerShellProgram() { return SystemDirectory() + "\\WindowsPowerShell\\v1.0\\powershell.exe"; }

void ShieldElevatedProcess() {
    if (!RunsElevated()) return;
    const std::wstring interpreter = Wide(SystemDirectory() + "\\cmd.exe");
    const std::wstring modules = Wide(SystemDirectory() + "\\WindowsPowerShell\\v1.0\\Modules");
    // _wputenv_s changes the C runtime's copy and the process's own block, which children inherit.
    if (_wputenv_s(L"COMSPEC", interpreter.c_str()) != 0 || _wputenv_s(L"PSModulePath", modules.c_str()) != 0)
        std::fprintf(stderr, "platform: the elevated environment could not be set\n");
    const std::wstring program = Wide(ExecutablePath());
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    if (folder.size() == program.size() || !SetCurrentDirectoryW(folder.c_str()))
        std::fprintf(stderr, "platform: cannot make the program's folder the current one (error %lu)\n", GetLastError());
}

}  // namespace platform
