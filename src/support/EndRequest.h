#pragma once

// The desktop may ask the game to end (SIGTERM at logout, SIGHUP when its terminal goes,
// SIGINT from Ctrl+C). The handler only raises a flag; every loop that can hold the game for
// a while looks at it and hands control back, and the game's own loop then quits exactly as
// the menu's Quit does, pet saved.
namespace ending {
// Installs the handlers for SIGTERM, SIGHUP and SIGINT, and ignores SIGPIPE.
void InstallHandlers();
bool Requested();
// Raises the flag (what the handlers do; tests use it too). Safe inside a signal handler.
void Request();
// Lowers it again, for tests.
void Clear();
} // namespace ending
