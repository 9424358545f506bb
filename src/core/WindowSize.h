#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace facade {
class EventDispatcher;
class EventOperation;
class WindowApp;
} // namespace facade

// How large the game's windows are on the desktop, and whether there is a desktop at all.
namespace windowsize {
constexpr const char* kScaleKey = "scale";

// False, after one line on `err`, when $DISPLAY is unset or names no server the game can use.
bool CheckDisplay(std::ostream& err);

// The scale the windows open at: `chosen` (from the command line) beats the one the player
// saved, which beats the desktop's density.
int StartScale(std::optional<int> chosen);

// Once the main window is open: one line on `err` when the scale the command line asked for
// did not fit the monitor, so that the player knows why the window is smaller.
void ReportFit(std::optional<int> chosen, std::ostream& err);

// What the balloon says after a size key asked for `step` (+1 or -1) at the scale `before` and
// the window got `after`: the new size ("Size x2"), or why it could not change ("x2 does not fit
// this screen", "Largest size", "Smallest size").
std::string SizeAnswer(int before, int step, int after);

// The size keys of the pet window: + (also = and the keypad's plus) and - (also the keypad's
// minus) make the window one step larger or smaller, within 1 to 4 and what fits the monitor.
// The window is resized and centred again, a balloon answers (SizeAnswer), and the player's
// preferences keep the size for the next start.
class SizeKeys {
public:
    // `afterwards` runs once the balloon has been shown, to put the screen back.
    SizeKeys(facade::WindowApp* window, facade::EventDispatcher* dispatcher,
             std::function<void()> afterwards);
    ~SizeKeys();

private:
    void Change(int step);

    facade::WindowApp* window;
    std::function<void()> afterwards;
    std::vector<std::unique_ptr<facade::EventOperation>> operations;
};
} // namespace windowsize
