#include "presentation/ProcessWindow.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <vector>

namespace facade::x11 {
namespace {
// The 32-bit items of a property (Xlib hands them out as longs), empty when it is missing.
std::vector<unsigned long> Items(Display* display, Window window, const char* name, Atom type) {
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 16, False, type,
                           &actualType, &format, &count, &after, &data) == Success &&
        data != nullptr && actualType == type && format == 32) {
        const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return items;
}
} // namespace

void MarkProcess(unsigned long window) {
    Display* display = window != 0 ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr) {
        return;
    }
    const unsigned long pid = static_cast<unsigned long>(::getpid());
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XCloseDisplay(display);
}

unsigned long FindProcessWindow(long pid, const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return 0;
    }
    // A listed window may close while it is asked about; that is no reason to end.
    const auto previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    unsigned long found = 0;
    for (unsigned long window : Items(display, DefaultRootWindow(display), "_NET_CLIENT_LIST", XA_WINDOW)) {
        const std::vector<unsigned long> owner = Items(display, window, "_NET_WM_PID", XA_CARDINAL);
        if (!owner.empty() && owner[0] == static_cast<unsigned long>(pid)) {
            found = window;
        }
    }
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return found;
}

} // namespace facade::x11
