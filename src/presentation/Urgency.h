#pragma once

// Kept apart from the window class: the X11 headers define macros that clash with other code.
namespace facade::x11 {
// Sets or clears the urgency flag of the window's WM_HINTS, keeping its other hints.
void SetUrgency(unsigned long window, bool urgent);
} // namespace facade::x11
