#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The real game binary, run in a fresh copy of its data folder, driven through the X server the
// way a player would: key presses and the close button, with screenshots read back.
namespace e2e {

using WindowId = unsigned long;

// Generous deadlines: the game's own timing is real and the machine may be busy.
constexpr double kStartSeconds = 30.0;
constexpr double kActionSeconds = 20.0;

// Waits until the condition holds or the deadline passes; true when it held.
bool WaitFor(const std::function<bool()>& condition, double seconds, double pollSeconds = 0.05);

struct Shot {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<std::uint32_t> rgb; // 0xRRGGBB, row by row

    std::uint32_t At(unsigned x, unsigned y) const { return rgb[y * width + x]; }
    bool Empty() const { return rgb.empty(); }
    // Pixels in [x0, x1) x [y0, y1) that are not white, or that are clearly dark.
    int NonWhite(unsigned x0, unsigned y0, unsigned x1, unsigned y1) const;
    int Dark(unsigned x0, unsigned y0, unsigned x1, unsigned y1) const;
    int NonWhiteAll() const { return NonWhite(0, 0, width, height); }
    bool SavePng(const std::filesystem::path& path) const;
};

class GameProcess {
public:
    // Copies the built game data into a new temporary folder; prepare files there, then Start.
    GameProcess();
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    static bool HaveDisplay();

    const std::filesystem::path& Folder() const { return folder; }
    // Files in the game's folder, named with forward slashes ("Settings/Pet.list").
    void Write(const std::string& relative, const std::string& content) const;
    std::string Read(const std::string& relative) const;
    std::vector<std::string> Lines(const std::string& relative) const;
    bool Exists(const std::string& relative) const;
    void Remove(const std::string& relative) const;

    void Start();
    bool Running();
    // The exit status once the game has ended by itself within the deadline.
    std::optional<int> WaitForExit(double seconds = kActionSeconds);
    std::string Out() const;
    std::string Err() const;
    // True once standard output or error holds the text.
    bool WaitForOut(const std::string& text, double seconds = kActionSeconds) const;
    bool WaitForErr(const std::string& text, double seconds = kActionSeconds) const;

    // The game's mapped top-level window with this title, or 0.
    WindowId FindWindow(const std::string& title) const;
    WindowId WaitForWindow(const std::string& title, double seconds = kStartSeconds) const;
    bool WaitForWindowGone(const std::string& title, double seconds = kActionSeconds) const;
    // The main window, found by Start.
    WindowId Main() const { return mainWindow; }

    // Presses and releases one key, named by its X keysym ("m", "Return", "Left", "space", "1").
    void Key(const std::string& keysym, WindowId window = 0, double pauseAfter = 0.25) const;
    void Keys(std::initializer_list<const char*> keysyms, WindowId window = 0) const;
    // Types letters (as lower-case key presses), spaces and dashes.
    void Type(const std::string& text, WindowId window = 0) const;
    // The window manager's close button: WM_DELETE_WINDOW through WM_PROTOCOLS.
    void Close(WindowId window = 0) const;

    Shot Capture(WindowId window = 0) const;
    // Captures until the condition holds on a shot; returns the last shot taken.
    Shot WaitForShot(const std::function<bool(const Shot&)>& condition, double seconds = kActionSeconds,
                     WindowId window = 0) const;
    // Keeps a copy of a shot when HATCHLING_E2E_SHOTS names a folder.
    void Keep(const Shot& shot, const std::string& name) const;

private:
    WindowId Or(WindowId window) const { return window ? window : mainWindow; }

    std::filesystem::path folder;
    void* display = nullptr; // Display*
    pid_t pid = -1;
    std::optional<int> status;
    WindowId mainWindow = 0;
};

// A picture (the pet, or a food in its chooser) stands in the middle of an otherwise white window.
bool PetDrawn(const Shot& shot);

} // namespace e2e
