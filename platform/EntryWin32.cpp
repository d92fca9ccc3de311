// The monitor is a GUI-subsystem program: no console window opens when it starts.

#include "EntryPoint.h"
#include "Platform.h"

#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Before anything loads a DLL by name: only the system folder is searched, so a DLL planted under a
    // system DLL's name in the program's folder or the current one is never loaded.
    if (!SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32))
        std::fprintf(stderr, "platform: the DLL search could not be limited to the system folder (error %lu)\n",
                     GetLastError());
    return platform::RunWithProcessArguments(0, nullptr, &CorvaneMain);
}
