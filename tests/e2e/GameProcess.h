#pragma once

#include "TempGameFolder.h"
#include "XServer.h"

#include <csignal>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The real game binary, run in a fresh copy of its data folder and driven through the X server
// as a player would: key presses and the close button, with the window's pixels read back. Each
// game runs on an X server of its own, so games of tests running side by side never meet.
namespace e2e {

// Fails rather than skips: setup installs Xvfb, and a skip would hide a broken install.
#define REQUIRE_DISPLAY() ASSERT_TRUE(XServer::Available()) << "no Xvfb to run the game on"
#define REQUIRE_WESTON()                                                                                     \
    ASSERT_TRUE(XServer::Available(XServer::Kind::Weston)) << "no weston and Xwayland to run the game on"

struct Shot {
    unsigned width = 0, height = 0;
    std::vector<std::uint32_t> rgb; // 0xRRGGBB, row by row
    // Pixels in [x0, x1) x [y0, y1) that are not white, or (dark) clearly dark.
    int Count(unsigned x0, unsigned y0, unsigned x1, unsigned y1, bool dark = false) const;
    // Pixels of exactly that colour in rows [y0, y1), from column x0 on.
    long Pixels(std::uint32_t colour, unsigned y0 = 0, unsigned y1 = 1u << 20, unsigned x0 = 0) const;
};

// The pet's window at x1. A picture fills most of the middle of an otherwise white window, away
// from the menu bands, with the hint line in the bottom left corner.
bool PetDrawn(const Shot& shot);
bool White(const Shot& shot);
// A chooser (of pets, foods or games): its arrows and "Enter", dark, at the bottom in the middle.
bool Chooser(const Shot& shot);
// The food chooser: the food's name at the top left and its picture in the middle.
bool FoodOffered(const Shot& shot);

class GameProcess : public XServer, public TempGameFolder {
public:
    // Starts an X server and copies the built game data into a new temporary folder, where files
    // are written and read (writing "" stands for removing: a missing file reads as "").
    // Leaves the game without a session bus until the test names one.
    explicit GameProcess(const std::string& screen = "1024x768x24", Kind kind = Kind::Xvfb);
    ~GameProcess();

    // Returns once the main window shows or the game has ended; the arguments are split at
    // blanks. OpenAL reads the folder's al.conf (written, when missing, with no audio driver).
    // With `closedOutput` standard output is a pipe whose reader has gone (as in
    // `hatchling | head -n 3` once head has ended), and Out() holds nothing.
    void Start(const std::string& arguments = "", bool closedOutput = false);
    void Signal(int signal) const { ::kill(pid, signal); }
    std::optional<int> WaitForExit(double seconds = 20.0);
    std::string Out() const { return Read("stdout.txt"); }
    std::string Err() const { return Read("stderr.txt"); }
    std::vector<std::string> Refused() const; // the "refused:" lines on standard error

    unsigned long Main() const { return mainWindow; }
    void Keys(std::initializer_list<const char*> keysyms, unsigned long window = 0) const {
        XServer::Keys(window ? window : mainWindow, keysyms);
    }
    void Close() const { XServer::Close(mainWindow); }
    void Click(int x, int y, unsigned long window = 0) const; // the left button
    // Gives the input focus to the window, or (0) to the root window, away from the game's.
    void Focus(unsigned long window);
    bool Urgent() const; // the urgency hint in the main window's WM_HINTS
    // A window manager (openbox) on this server, for the steps that need one; true once it runs.
    bool StartWindowManager() const;
    // A window of the test's own, shown, which a window manager gives the focus.
    unsigned long OpenOtherWindow() const;
    unsigned long ActiveWindow() const; // _NET_ACTIVE_WINDOW on the root, or 0
    // Starts the game a second time in the same folder and waits for its end: its standard error,
    // then "exit <status>".
    std::string StartAgain() const;
    Shot Capture(unsigned long window = 0) const;
    // Captures until the condition holds; returns the last shot.
    Shot WaitForShot(const std::function<bool(const Shot&)>& condition, double seconds = 20.0,
                     unsigned long window = 0) const;

private:
    pid_t pid = -1;
    std::optional<int> status;
    unsigned long mainWindow = 0;
};

} // namespace e2e
