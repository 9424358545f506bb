#include "XPlayer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <thread>

namespace xplayer {

namespace {
int IgnoreErrors(::Display*, XErrorEvent*) {
    return 0; // a window may vanish between finding and asking
}

bool Shown(::Display* d, Window window) {
    XWindowAttributes a;
    return XGetWindowAttributes(d, window, &a) != 0 && a.map_state == IsViewable;
}

// Top-level windows of the server, all of them this test's own.
std::vector<Window> TopLevel(::Display* d) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(d, DefaultRootWindow(d), &root, &parent, &children, &count);
    std::vector<Window> windows(children, children + count);
    XFree(children);
    return windows;
}

Window Find(::Display* d, const std::string& title, Window skip) {
    for (Window window : TopLevel(d)) {
        char* name = nullptr;
        const bool match = window != skip && Shown(d, window) && XFetchName(d, window, &name) != 0 &&
                           name != nullptr && title == name;
        XFree(name);
        if (match) {
            return window;
        }
    }
    return 0;
}

void CloseAll(::Display* d) {
    for (Window window : TopLevel(d)) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
        XSendEvent(d, window, False, NoEventMask, &event);
    }
    XSync(d, False);
}
} // namespace

std::string Play(const std::string& title, const std::vector<std::string>& keysyms, unsigned long& skip,
                 double seconds) {
    ::Display* d = XOpenDisplay(nullptr);
    if (d == nullptr) {
        return "no X display";
    }
    auto previous = XSetErrorHandler(IgnoreErrors);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    // Polls until the condition holds or the time is up.
    const auto until = [&](auto condition) {
        while (!condition() && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return condition();
    };
    Window window = 0;
    std::string fault;
    if (!until([&] { return (window = Find(d, title, skip)) != 0; })) {
        fault = "no window \"" + title + "\" showed";
    } else if (!until([&] {
                   Window focus = 0;
                   int revert = 0;
                   XSetInputFocus(d, window, RevertToParent, CurrentTime);
                   XSync(d, False);
                   XGetInputFocus(d, &focus, &revert);
                   return focus == window;
               })) {
        fault = "the window never took the keyboard";
    } else {
        for (const std::string& name : keysyms) {
            const KeyCode code = XKeysymToKeycode(d, XStringToKeysym(name.c_str()));
            XTestFakeKeyEvent(d, code, True, 0);
            XTestFakeKeyEvent(d, code, False, 0);
            XSync(d, False);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (!until([&] { return !Shown(d, window); })) {
            fault = "the window stayed open after the keys";
        }
    }
    if (!fault.empty()) {
        CloseAll(d);
    }
    skip = window;
    XSetErrorHandler(previous);
    XCloseDisplay(d);
    return fault;
}

} // namespace xplayer
