#include "presentation/X11Desktop.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace facade::x11 {
namespace {
using Connection = std::unique_ptr<Display, int (*)(Display*)>;

Connection Open() {
    return Connection(XOpenDisplay(nullptr), XCloseDisplay);
}

std::function<std::string()>& LostDisplaySave() {
    static std::function<std::string()> save;
    return save;
}

int OnIoError(Display* display) {
    std::string line = std::string("hatchling: the display \"") + DisplayString(display) + "\" went away";
    try {
        const std::function<std::string()>& save = LostDisplaySave();
        const std::string saved = save ? save() : "";
        line += saved.empty() ? "" : "; " + saved;
    } catch (...) {
        line += "; the pet could not be saved";
    }
    line += "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    // Nothing may run after this that could reach the dead connection: no exit handlers, no
    // destructors of the window library's objects.
    std::_Exit(1);
}
} // namespace

bool CanOpenDisplay() {
    return Open() != nullptr;
}

std::optional<Monitor> PrimaryMonitor() {
    const Connection display = Open();
    if (!display) {
        return std::nullopt;
    }
    Display* d = display.get();
    const int screen = DefaultScreen(d);
    Monitor found{0, 0, unsigned(DisplayWidth(d, screen)), unsigned(DisplayHeight(d, screen))};
    int eventBase = 0, errorBase = 0, count = 0;
    XRRMonitorInfo* monitors = XRRQueryExtension(d, &eventBase, &errorBase)
                                   ? XRRGetMonitors(d, RootWindow(d, screen), True, &count)
                                   : nullptr;
    for (int i = count - 1; i >= 0; --i) {
        // Walking backwards leaves the primary monitor, or else the first, as the last match.
        if ((monitors[i].primary || i == 0) && monitors[i].width > 0 && monitors[i].height > 0) {
            found = Monitor{monitors[i].x, monitors[i].y, unsigned(monitors[i].width),
                            unsigned(monitors[i].height)};
            if (monitors[i].primary) {
                break;
            }
        }
    }
    if (monitors != nullptr) {
        XRRFreeMonitors(monitors);
    }
    return found;
}

std::optional<double> ResourceDpi() {
    const Connection display = Open();
    const char* resources = display ? XResourceManagerString(display.get()) : nullptr;
    if (resources == nullptr) {
        return std::nullopt;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    std::optional<double> dpi;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr != nullptr) {
        char* end = nullptr;
        const double read = std::strtod(value.addr, &end);
        if (end != value.addr) {
            dpi = read;
        }
    }
    XrmDestroyDatabase(database);
    return dpi;
}

void OnDisplayLost(std::function<std::string()> save) {
    LostDisplaySave() = std::move(save);
    XSetIOErrorHandler(OnIoError);
}

} // namespace facade::x11
