// The display on POSIX systems: its DPI and size from X, or as CORVANE_DPI and CORVANE_WORKAREA
// describe it for tests and demonstrations.

#include "Platform.h"
#include "PosixInternal.h"

#include <dlfcn.h>

#include <cstdio>

namespace platform {
namespace {

using posix::Environment;

// Parses "1920x1040"; anything else leaves `area` untouched.
bool ParseWorkArea(const std::string& text, WorkArea& area) {
    int width = 0;
    int height = 0;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &rest) != 2 || width <= 0 || height <= 0)
        return false;
    area = {width, height};
    return true;
}

// The X display is reached through libX11 loaded at run time, so the monitor needs no X library to
// build and still runs where there is no display at all.
class XDisplay {
public:
    XDisplay() {
        library_ = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        if (!library_) return;
        auto open = reinterpret_cast<void* (*)(const char*)>(dlsym(library_, "XOpenDisplay"));
        if (open && !Environment("DISPLAY").empty()) display_ = open(nullptr);
    }
    ~XDisplay() {
        if (display_) {
            auto close = reinterpret_cast<int (*)(void*)>(dlsym(library_, "XCloseDisplay"));
            if (close) close(display_);
        }
        if (library_) dlclose(library_);
    }
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // The DPI desktops publish for font scaling ("Xft.dpi"), 0 when none is published.
    int PublishedDpi() const {
        auto resources = Symbol<char* (*)(void*)>("XResourceManagerString");
        if (!resources) return 0;
        const char* text = resources(display_);
        if (!text) return 0;
        const char* entry = std::strstr(text, "Xft.dpi:");
        if (!entry) return 0;
        return static_cast<int>(std::strtod(entry + std::strlen("Xft.dpi:"), nullptr) + 0.5);
    }

    WorkArea ScreenSize() const {
        auto defaultScreen = Symbol<int (*)(void*)>("XDefaultScreen");
        auto width = Symbol<int (*)(void*, int)>("XDisplayWidth");
        auto height = Symbol<int (*)(void*, int)>("XDisplayHeight");
        if (!defaultScreen || !width || !height) return {};
        const int screen = defaultScreen(display_);
        return {width(display_, screen), height(display_, screen)};
    }

private:
    template <typename Function>
    Function Symbol(const char* name) const {
        if (!display_) return nullptr;
        return reinterpret_cast<Function>(dlsym(library_, name));
    }

    void* library_ = nullptr;
    void* display_ = nullptr;
};

}  // namespace

void MakeProcessDpiAware() {}

int PrimaryMonitorDpi() {
    const int configured = std::atoi(Environment("CORVANE_DPI").c_str());
    if (configured > 0) return configured;
    const int published = XDisplay().PublishedDpi();
    return published > 0 ? published : 96;
}

WorkArea PrimaryWorkArea() {
    WorkArea area{16384, 16384};
    if (ParseWorkArea(Environment("CORVANE_WORKAREA"), area)) return area;
    const WorkArea screen = XDisplay().ScreenSize();
    if (screen.width > 0 && screen.height > 0) return screen;
    return area;
}

}  // namespace platform
