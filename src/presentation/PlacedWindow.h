#pragma once

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <memory>
#include <string>

// A top-level window that the game makes itself, unshown, and hands to the window library, which
// shows it. Some window managers (weston's, for the X programs of a Wayland desktop) place a
// window once, where it asks to be when first shown, and ignore later moves; the window library
// shows its own windows at a place of its own choosing, before the game could move them. Kept
// apart from the window class: the X11 headers define macros that clash with other code.
namespace facade::x11 {

class PlacedWindow {
public:
    // The window, made on the window library's connection to $DISPLAY, with its top-left corner
    // at `at` (where window managers put the corner of their frame), `size` (fixed unless `style`
    // holds the window library's Resize bit), and the title and decorations that `style` asks
    // for. Its pixel format suits a drawing context of 24 depth and 8 stencil bits. Nothing when
    // the display offers no such format.
    static std::unique_ptr<PlacedWindow> Make(sf::Vector2i at, sf::Vector2u size, const std::string& title,
                                              std::uint32_t style);
    ~PlacedWindow();
    PlacedWindow(const PlacedWindow&) = delete;
    PlacedWindow& operator=(const PlacedWindow&) = delete;

    unsigned long Handle() const { return window; }
    // Puts the new place and size into the hints before the window changes size: window managers
    // keep a window to the size its hints allow.
    void Hint(sf::Vector2i at, sf::Vector2u size);

private:
    PlacedWindow(void* display, unsigned long window, unsigned long colours, std::uint32_t style);

    void* display; // Display*, the window library's
    unsigned long window, colours;
    std::uint32_t style;
};

} // namespace facade::x11
