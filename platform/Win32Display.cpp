// The display on Windows: its DPI and work area, and the process's awareness of the DPI.

#include "Platform.h"

#include <windows.h>

namespace platform {
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
