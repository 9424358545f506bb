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

bool RequestActivation(unsigned long window, const char* displayName) {
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr) {
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    event.xclient.format = 32;
    // Source 2: the request stands for the player's own action (a click on a notification, a
    // start from the menu), which focus-stealing prevention lets through.
    event.xclient.data.l[0] = 2;
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &event);
    XFlush(display);
    XCloseDisplay(display);
    return true;
}

} // namespace facade::x11
