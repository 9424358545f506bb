#pragma once

#include <string>

// A second start on a folder that a running game holds: it shows the running game to the player
// (the start came from a menu or a launcher, where standard error is never seen) before it ends.
namespace launch {

// The process that holds the folder's lock (LockFolder), read from the kernel's table of
// locks; 0 when none is found.
long LockHolder(const std::string& folder);

// Asks the window manager to bring the lock holder's window to the front with the focus.
// Without a display, a window manager or such a window nothing happens.
void ShowRunningGame(const std::string& folder);

} // namespace launch
