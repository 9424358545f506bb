#pragma once

#include <SFML/System/Vector2.hpp>

#include <optional>
#include <string>

namespace facade {

// The part of the desktop a window should open on: the primary monitor, or the whole screen.
struct Monitor {
    int x = 0, y = 0;
    unsigned width = 0, height = 0;
};

// Windows are magnified by a whole factor so that pixel art stays crisp.
constexpr int kSmallestScale = 1;
constexpr int kLargestScale = 4;

// The scale the desktop's density asks for: the X resource Xft.dpi over 96, rounded, when it
// is set; otherwise the GDK_SCALE variable when it holds a whole number; otherwise 1. Always
// within 1 to 4.
int DensityScale(std::optional<double> dpi, const std::string& gdkScale);

// The largest scale up to `wanted` (clamped to 1 to 4) at which a window of the logical size
// fits in 90 % of the monitor's width and height; 1 when not even that fits.
int FittingScale(int wanted, unsigned width, unsigned height, const Monitor& monitor);

// Where a window of that size goes: centred on the monitor, but never left of or above it, so
// that a window larger than the monitor keeps its title and top-left corner on screen.
sf::Vector2i Centre(unsigned width, unsigned height, const Monitor& monitor);

} // namespace facade
