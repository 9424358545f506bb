#pragma once

#include <string>
#include <vector>

// A player at the keyboard of this process's X server, kept apart from the window library's
// headers because Xlib's macros clash with them.
namespace xplayer {
// Waits for a window titled `title` other than `skip` to show, gives it the keyboard, presses and
// releases each key (X keysym names such as "1", "Escape"), and waits for the window to go, as
// the last key should make it. All within `seconds`: should something not happen in time, every
// window on the server is asked to close, so that a play loop waiting for keys ends instead of
// hanging. Returns what went wrong, or "" when nothing did; `skip` becomes the window pressed in.
std::string Play(const std::string& title, const std::vector<std::string>& keysyms, unsigned long& skip,
                 double seconds = 30.0);
} // namespace xplayer
