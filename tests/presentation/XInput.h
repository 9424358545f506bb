#pragma once

#include <string>
#include <vector>

// Real X input for window tests, kept apart from the window library's headers because Xlib's
// macros clash with them. `window` is the window's system handle.
namespace xinput {
// Gives the window the keyboard focus and presses and releases each key (X keysym names such
// as "m", "Next", "BackSpace", "Return"). False when no display can be opened.
bool PressKeys(unsigned long window, const std::vector<std::string>& keysyms);
} // namespace xinput
