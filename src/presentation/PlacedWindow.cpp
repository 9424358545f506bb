#include "presentation/PlacedWindow.h"

#include <SFML/Window/Context.hpp>
#include <SFML/Window/WindowStyle.hpp>

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cerrno>

namespace facade::x11 {
namespace {
Display* Of(void* display) {
    return static_cast<Display*>(display);
}

// The window library's own connection, which its drawing contexts share with its windows. The
// window must be made on it: window managers send the close button's message to the connection
// that made a window, and the library reads only its own; and what the library still sends for
// the window when it lets go of it must reach the server before the window is destroyed.
Display* LibraryConnection() {
    const sf::Context context; // current while it lives
    return glXGetCurrentDisplay();
}

// Named as the window library names its own windows: the title, and as class the program's name
// with the title.
void Name(Display* display, Window window, const std::string& title) {
    std::string instance = program_invocation_short_name, kind = title;
    XClassHint names{instance.data(), kind.data()};
    XWMHints hints{};
    hints.flags = StateHint;
    hints.initial_state = NormalState;
    Xutf8SetWMProperties(display, window, title.c_str(), title.c_str(), nullptr, 0, nullptr, &hints, &names);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    for (const char* property : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        XChangeProperty(display, window, XInternAtom(display, property, False), utf8, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));
    }
}

// The frame and the window manager's functions that the style asks for, in Motif's hints, which
// window managers read as the window library writes them.
void Decorate(Display* display, Window window, std::uint32_t style) {
    enum : long { kFunctions = 1, kDecorations = 2 }; // the fields that count
    enum : long { kResizing = 2, kMoving = 4, kMinimising = 8, kMaximising = 16, kClosing = 32 };
    enum : long { kBorder = 2, kHandles = 4, kTitle = 8, kMenu = 16, kMinimise = 32, kMaximise = 64 };
    long hints[5] = {kFunctions | kDecorations, 0, 0, 0, 0}; // flags, functions, decorations, ...
    if (style & sf::Style::Titlebar) {
        hints[1] |= kMoving | kMinimising;
        hints[2] |= kBorder | kTitle | kMenu | kMinimise;
    }
    if (style & sf::Style::Resize) {
        hints[1] |= kResizing | kMaximising;
        hints[2] |= kHandles | kMaximise;
    }
    if (style & sf::Style::Close) {
        hints[1] |= kClosing;
    }
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
}
} // namespace

std::unique_ptr<PlacedWindow> PlacedWindow::Make(sf::Vector2i at, sf::Vector2u size, const std::string& title,
                                                 std::uint32_t style) {
    Display* display = LibraryConnection();
    // Eight bits a colour, double-buffered, with the depth and stencil bits the game asks for.
    // clang-format off
    int format[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_DEPTH_SIZE, 24, GLX_STENCIL_SIZE, 8,
                    GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
    // clang-format on
    XVisualInfo* visual = display ? glXChooseVisual(display, DefaultScreen(display), format) : nullptr;
    if (visual == nullptr) {
        return nullptr;
    }
    const Window root = RootWindow(display, visual->screen);
    XSetWindowAttributes attributes{};
    attributes.colormap = XCreateColormap(display, root, visual->visual, AllocNone);
    const Window window = XCreateWindow(display, root, at.x, at.y, size.x, size.y, 0, visual->depth,
                                        InputOutput, visual->visual, CWColormap | CWBorderPixel, &attributes);
    XFree(visual);
    // As the window library does: a close button or a resizable border comes with a title bar.
    if (style & (sf::Style::Close | sf::Style::Resize)) {
        style |= sf::Style::Titlebar;
    }
    Name(display, window, title);
    Decorate(display, window, style);
    std::unique_ptr<PlacedWindow> placed(new PlacedWindow(display, window, attributes.colormap, style));
    placed->Hint(at, size);
    return placed;
}

PlacedWindow::PlacedWindow(void* display, unsigned long window, unsigned long colours, std::uint32_t style)
    : display(display), window(window), colours(colours), style(style) {}

PlacedWindow::~PlacedWindow() {
    XDestroyWindow(Of(display), window);
    XFreeColormap(Of(display), colours);
    XFlush(Of(display));
}

void PlacedWindow::Hint(sf::Vector2i at, sf::Vector2u size) {
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = USPosition;
    hints->x = at.x;
    hints->y = at.y;
    if (!(style & sf::Style::Resize)) {
        hints->flags |= PMinSize | PMaxSize;
        hints->min_width = hints->max_width = static_cast<int>(size.x);
        hints->min_height = hints->max_height = static_cast<int>(size.y);
    }
    XSetWMNormalHints(Of(display), window, hints);
    XFree(hints);
}

} // namespace facade::x11
