// Windows services of the monitor. Every text crosses the boundary as UTF-8 and is converted exactly to
// and from UTF-16, so user names and folders outside ASCII work.

#include "Platform.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {
namespace {

std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Utf8(const wchar_t* text, int length = -1) {
    if (!text) return {};
    if (length < 0) length = static_cast<int>(wcslen(text));
    if (length == 0) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, length, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

// Calls a Win32 getter that fills a buffer and reports the size it needs when the buffer is short.
template <typename Getter>
std::string ReadWideValue(Getter getter) {
    std::vector<wchar_t> buffer(512);
    for (;;) {
        const DWORD length = getter(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Utf8(buffer.data(), static_cast<int>(length));
        buffer.resize(std::max<size_t>(length + 1, buffer.size() * 2));
    }
}

std::wstring Interpreter() {
    const std::string comspec = ReadWideValue([](wchar_t* buffer, DWORD size) {
        return GetEnvironmentVariableW(L"COMSPEC", buffer, size);
    });
    return comspec.empty() ? std::wstring(L"CMD.EXE") : Wide(comspec);
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

std::string TemporaryDirectory() {
    std::string directory = ReadWideValue([](wchar_t* buffer, DWORD size) { return GetTempPathW(size, buffer); });
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

char PathSeparator() { return '\\'; }

std::string QuoteForInterpreter(const std::string& path) { return "\"" + path + "\""; }

CommandOutcome RunHidden(const std::string& command, std::chrono::milliseconds limit) {
    CommandOutcome outcome;
    // "/s" makes cmd strip exactly the outer pair of quotes and keep every quote inside the command.
    std::wstring commandLine = Interpreter() + L" /s /c \"" + Wide(command) + L"\"";

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE | CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &process)) {
        std::fprintf(stderr, "platform: CreateProcessW failed with error %lu\n", GetLastError());
        return outcome;
    }
    outcome.started = true;

    // The job holds the interpreter and everything it starts, so a time-out can end them all.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    const bool inJob = job && AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);

    const DWORD milliseconds = static_cast<DWORD>(limit.count());
    if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_TIMEOUT) {
        outcome.timedOut = true;
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

bool CreateHiddenFile(const std::string& path) {
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

bool StartThroughShell(const std::string& program, const std::string& parameters) {
    const std::wstring file = Wide(program);
    const std::wstring arguments = Wide(parameters);
    const HINSTANCE result = ShellExecuteW(nullptr, nullptr, file.c_str(), arguments.empty() ? nullptr : arguments.c_str(),
                                           nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

bool ClaimSingleInstance(const std::string& lockPath) {
    // Opened without sharing for the life of the process: a second monitor cannot open it.
    HANDLE lock = CreateFileW(Wide(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (lock != INVALID_HANDLE_VALUE) return true;
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED) return false;
    std::fprintf(stderr, "platform: cannot open the instance lock, error %lu\n", error);
    return true;
}

namespace {

// The shell scaling API exists from Windows 8.1 on; it is looked up at run time so the monitor still
// starts on older systems.
// Returned as the generic function type, from which any signature may be cast.
using AnyFunction = void (*)();
AnyFunction ShellScalingFunction(const char* name) {
    static HMODULE library = LoadLibraryW(L"shcore.dll");
    return library ? reinterpret_cast<AnyFunction>(GetProcAddress(library, name)) : nullptr;
}

}  // namespace

void MakeProcessDpiAware() {
    using SetAwareness = HRESULT(WINAPI*)(int);
    auto setProcessDpiAwareness = reinterpret_cast<SetAwareness>(ShellScalingFunction("SetProcessDpiAwareness"));
    const int perMonitorAware = 2;
    if (!setProcessDpiAwareness || setProcessDpiAwareness(perMonitorAware) < 0) SetProcessDPIAware();
}

int PrimaryMonitorDpi() {
    HMONITOR monitor = MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    UINT dpiX = 96;
    UINT dpiY = 96;
    using GetDpi = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    auto getDpiForMonitor = reinterpret_cast<GetDpi>(ShellScalingFunction("GetDpiForMonitor"));
    const int effectiveDpi = 0;
    if (!getDpiForMonitor || getDpiForMonitor(monitor, effectiveDpi, &dpiX, &dpiY) < 0) {
        HDC screen = GetDC(nullptr);
        dpiX = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
        ReleaseDC(nullptr, screen);
    }
    return static_cast<int>(dpiX);
}

WorkArea PrimaryWorkArea() {
    RECT area{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return {};
    return {area.right - area.left, area.bottom - area.top};
}

}  // namespace platform
