// The monitor is a GUI-subsystem program: no console window opens when it starts.

#include "EntryPoint.h"
#include "Platform.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return platform::RunWithProcessArguments(0, nullptr, &CorvaneMain);
}
