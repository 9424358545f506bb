#pragma once

// Kept apart from the window class: the X11 headers define macros that clash with other code.
namespace facade::x11 {
// Sets or clears the urgency flag of the window's WM_HINTS, keeping its other hints.
void SetUrgency(unsigned long window, bool urgent);
// Asks the window manager to raise the window and give it the focus (_NET_ACTIVE_WINDOW, sent
// as for a direct request of the player's). `display` names the X display ("" for $DISPLAY).
// False when no display could be opened; without a window manager nothing happens.
bool RequestActivation(unsigned long window, const char* display = nullptr);
} // namespace facade::x11
