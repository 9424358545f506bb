#include "XInput.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
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

std::vector<unsigned long> ReadIcon(unsigned long window) {
    std::vector<unsigned long> icon;
    ::Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return icon;
    }
    auto previous = XSetErrorHandler(IgnoreErrors);
    XWMHints* hints = XGetWMHints(display, window);
    if (hints != nullptr && (hints->flags & IconPixmapHint) != 0) {
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        XGetGeometry(display, hints->icon_pixmap, &root, &x, &y, &width, &height, &border, &depth);
        if (XImage* image = XGetImage(display, hints->icon_pixmap, 0, 0, width, height, AllPlanes, ZPixmap)) {
            for (unsigned row = 0; row < height; ++row) {
                for (unsigned column = 0; column < width; ++column) {
                    icon.push_back(XGetPixel(image, int(column), int(row)) & 0xFFFFFFul);
                }
            }
            XDestroyImage(image);
        }
    }
    if (hints != nullptr) {
        XFree(hints);
    }
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return icon;
}

} // namespace xinput
