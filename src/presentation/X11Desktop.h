#pragma once

#include "presentation/Monitor.h"

#include <functional>
#include <optional>
#include <string>

// What the game asks the X server about the desktop, kept apart from the window class: the X11
// headers define macros that clash with other code. Each call opens a connection of its own
// to $DISPLAY and closes it again; the window library keeps its connection to itself.
namespace facade::x11 {

// Whether $DISPLAY names a server that lets the game connect.
bool CanOpenDisplay();
// The primary monitor as XRandR reports it (the first one when none is marked primary), else
// the whole screen; nothing when no display opens.
std::optional<Monitor> PrimaryMonitor();
// The X resource Xft.dpi, which desktops set for their density; nothing when it is not set.
std::optional<double> ResourceDpi();

// From now on, when a connection to the display breaks, `save` runs, one line on standard
// error says so (with what `save` returns, e.g. "PIP is saved", after a semicolon) and the
// process ends with status 1 at once. Xlib allows nothing but file work there: `save` must not
// touch the window or the display.
void OnDisplayLost(std::function<std::string()> save);

} // namespace facade::x11
