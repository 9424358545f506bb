#pragma once

// Finding a running game's window from another process. Kept apart from the window class: the
// X11 headers define macros that clash with other code.
namespace facade::x11 {
// Marks the window with this process's id (_NET_WM_PID, which the window library leaves unset),
// so that the window of a running game can be told from its process.
void MarkProcess(unsigned long window);
// The window that the window manager lists last (the most recently shown) among those marked
// with `pid`, or 0: no display, no window manager's list (none runs), or no such window.
unsigned long FindProcessWindow(long pid, const char* display = nullptr);
} // namespace facade::x11
