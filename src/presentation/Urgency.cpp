#include "presentation/Urgency.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace facade::x11 {

void SetUrgency(unsigned long window, bool urgent) {
    // A connection of our own: the hints are a property of the window on the server, so any
    // client may set them, and the window library keeps its connection to itself.
    static Display* const display = XOpenDisplay(nullptr);
    if (display == nullptr || window == 0) {
        return;
    }
    XWMHints* hints = XGetWMHints(display, window);
    XWMHints empty{};
    XWMHints* target = hints != nullptr ? hints : &empty;
    target->flags = urgent ? (target->flags | XUrgencyHint) : (target->flags & ~XUrgencyHint);
    XSetWMHints(display, window, target);
    XFlush(display);
    if (hints != nullptr) {
        XFree(hints);
    }
}

} // namespace facade::x11
