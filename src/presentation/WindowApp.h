#pragma once

#include "presentation/Monitor.h"

#include <SFML/Graphics/RenderWindow.hpp>

#include <memory>
#include <optional>
#include <string>

namespace facade {

namespace x11 {
class PlacedWindow;
}
class Picture;
class Text;

// The game's one window. Every screen is drawn as ClearScreen, draw, Display on a white page.
// Everything is laid out in the logical size the window was created with; the window on the
// desktop is that size times a whole scale, shown through one view, so nothing that draws or
// takes clicks needs to know the scale.
class WindowApp : public sf::RenderWindow {
public:
    // Does not open a window.
    WindowApp();
    WindowApp(const unsigned& width, const unsigned& height, const std::string& title,
              const unsigned long& style);
    ~WindowApp() override;

    // Opens the window at 32 bits per pixel with a 24-bit depth and 8-bit stencil buffer and
    // no antialiasing, at the opening scale (as far as it fits the monitor, which then becomes
    // the opening scale), centred on the primary monitor, then clears it to white (not yet
    // displayed).
    void Create(const unsigned& width, const unsigned& height, const std::string& title,
                const unsigned long& style);
    // Sets the 16 x 16 icon from the first 256 pixels of the picture, in row order. A missing
    // picture or one smaller than 16 x 16 leaves the platform's icon.
    void SetIcon(const Picture& picture);
    // Gives this window the icon last set by SetIcon on any window (the game's, from the window
    // settings), so that the game's other windows carry it too.
    void TakeGameIcon();
    // White over the window's whole current size; does not display.
    void ClearScreen();
    // The quiet line the home screen shows (empty: none): in the corner, small at the bottom
    // left; otherwise centred near the bottom. Grey, in the default font.
    void SetHint(const std::string& text, bool corner);
    // Where `part` of the hint line lies (its first occurrence), a little taller than its
    // letters so it is easy to click; empty when the hint has no such part.
    sf::FloatRect GetHintBounds(const std::string& part) const;
    // The home screen under the pet, or alone without one: white, and the hint line.
    void ClearHome();
    void Display() { display(); }
    void Close();

    // The logical size, in which everything is laid out.
    unsigned GetWidth() const { return width; }
    unsigned GetHeight() const { return height; }
    bool IsOpened() const { return isOpen(); }
    // Clicks and pointer positions come in logical coordinates, whatever the scale.
    bool GetEvent(sf::Event& event);

    // The scale windows open at, 1 to 4: the player's choice or the desktop's density. Each
    // window takes the largest scale up to it that fits in 90 % of the monitor.
    static void SetOpeningScale(int scale);
    static int GetOpeningScale();
    int GetScale() const { return scale; }
    // Resizes the window to the largest scale up to `wanted` that fits, centres it again and
    // makes that scale the one later windows open at; returns it.
    int Rescale(int wanted);
    bool SetActive(bool active) { return setActive(active); }

    // Makes the drawing context current (or releases it), retrying after each failure until it
    // works. A closed window has no context to switch, so they return at once then.
    void Activate();
    void Deactivate();
    void Activate(double retryPause);
    void Deactivate(double retryPause);

    // Asks the desktop to draw the player to the window (the urgency hint that makes a taskbar
    // entry blink) unless the window has the focus; returns whether it asked.
    bool RequestAttention();
    // Takes the request back, as desktops do when the window gets the focus.
    void CalmAttention();

private:
    void Switch(bool active, double retryPause);
    // Takes the largest scale up to `wanted` that fits the monitor, for this window and later ones.
    void Fit(int wanted, const std::optional<Monitor>& monitor);
    // Shows the logical size through the view and centres the window on the monitor.
    void Place(const std::optional<Monitor>& monitor);

    // The X window, made by the game so that it is shown where it belongs (empty when the window
    // library had to make it).
    std::unique_ptr<x11::PlacedWindow> placed;
    std::unique_ptr<Text> hint;
    unsigned width = 0, height = 0;
    int scale = 1;
};

} // namespace facade
