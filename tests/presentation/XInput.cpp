#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace xinput {

namespace {
int IgnoreErrors(::Display*, XErrorEvent*) {
    return 0;
}
} // namespace

bool PressKeys(unsigned long window, const std::vector<std::string>& keysyms) {
    ::Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    // Focusing a window the server is still mapping raises an error; it must not end the test.
    auto previous = XSetErrorHandler(IgnoreErrors);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    for (const std::string& name : keysyms) {
        KeyCode code = XKeysymToKeycode(display, XStringToKeysym(name.c_str()));
        XTestFakeKeyEvent(display, code, True, 0);
        XTestFakeKeyEvent(display, code, False, 0);
        XSync(display, False);
    }
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return true;
}

} // namespace xinput
