#pragma once

#include <SFML/Graphics/Rect.hpp>

#include <vector>

// Where the status view's meters go: beside the status text when there is room for them,
// otherwise below it, in as many columns as the window needs, so that no meter ever covers the
// text (a long name makes the text wide). Pure geometry, so it is checked without a window.
namespace statuslayout {

// A meter's row: its name is written at the row's left, the bar takes its right part.
constexpr float kLabelWidth = 65.0f;
constexpr float kBarWidth = 140.0f;
constexpr float kBarHeight = 14.0f;
// The name is written from 2 pixels above the bar, 14 pixels high.
constexpr float kLabelRise = 2.0f;
constexpr float kRowWidth = kLabelWidth + kBarWidth;
constexpr float kRowHeight = kBarHeight + kLabelRise;
// Where the rows stand beside a text that leaves them room (their bars 2 pixels lower), one
// every 28 pixels.
constexpr float kBesideLeft = 255.0f;
constexpr float kBesideTop = 60.0f;
constexpr float kRowStep = 28.0f;
constexpr float kGap = 12.0f;
constexpr float kMargin = 8.0f;

// The box each of `count` meter rows covers (label and bar), top to bottom and then column by
// column, for a status text whose ink covers `text` in a window of `width` x `height`. When no
// number of columns below the text fits the window, they go below it in one column all the
// same: running out of the window is better than covering the text.
std::vector<sf::FloatRect> PlaceMeters(const sf::FloatRect& text, float width, float height, int count);

} // namespace statuslayout
