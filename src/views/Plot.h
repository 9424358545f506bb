#pragma once

#include "presentation/Text.h"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <string>
#include <vector>

// What every plot of the game draws with: one palette, text placed by its line or its ink,
// lines (solid, dashed, a polyline), boxes, and axes in round steps. Everything is in logical
// coordinates, so a page lays itself out from the area it is given, whatever the window's size.
namespace plot {

// The greys every page shares, from its text down to its faintest lines. The life view's page
// marks use them too, so each page reads with its marks.
inline const sf::Color kInk(55, 55, 60);      // titles, names, values
inline const sf::Color kQuiet(125, 125, 130); // captions, units, tick labels
inline const sf::Color kFaint(160, 160, 165); // what is there to be found, not read: other pages
inline const sf::Color kFrame(175, 175, 180); // around a plot, also over shaded regions
inline const sf::Color kGrid(236, 236, 238);  // the lines at each tick
inline const sf::Color kPaper(250, 250, 250); // behind a strip

inline constexpr const char* kTitleFont = "fonts\\CAMBRIAB.ttf";
inline constexpr const char* kFont = facade::Text::kDefaultFont;

struct Style {
    float size = 12.0f;
    sf::Color colour = kInk;
    const char* font = kFont;
};

// How a text sits on its point: by its ink box (the start, middle or end of the glyphs' box,
// across and down: 0, 1, 2), or, with `ink` false, by the top left of its line, so that texts
// of one size share a baseline whatever their letters.
struct Anchor {
    int across = 0, down = 0;
    bool ink = true;
};
inline constexpr Anchor kByLine{0, 0, false};

// A text in its style, not drawn yet: to be measured before it is placed.
facade::Text Styled(const std::string& text, const Style& style);
// Draws the text with its anchor on `at`; returns where it lies.
sf::FloatRect Place(sf::RenderTarget& target, facade::Text& text, sf::Vector2f at, Anchor anchor = {});
sf::FloatRect Write(sf::RenderTarget& target, const std::string& text, const Style& style, sf::Vector2f at,
                    Anchor anchor = {});
// The point rounded to whole pixels.
sf::Vector2f Whole(float x, float y);

// The game's picture of that name, shrunk by a whole factor to at most `most` pixels across and
// down (so it stays crisp), drawn centred on `at`.
void PutPicture(sf::RenderTarget& target, const std::string& name, float most, sf::Vector2f at);

// A filled box; with an outline colour, a one pixel outline around it.
void Box(sf::RenderTarget& target, const sf::FloatRect& box, sf::Color fill,
         sf::Color outline = sf::Color::Transparent);
// A straight line `width` wide, centred on the line from a to b.
void Line(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, float width);
// The same in dashes `on` long with gaps `off` long, from a on.
struct Dash {
    float width = 1.0f, on = 5.0f, off = 4.0f;
};
void Dashed(sf::RenderTarget& target, sf::Vector2f a, sf::Vector2f b, sf::Color colour, Dash dash);
// A line `width` wide through the points, the piece that ends at point i in colours[i]; the
// pieces overlap a little so that their joints close. A single point is a small square.
void Polyline(sf::RenderTarget& target, const std::vector<sf::Vector2f>& points,
              const std::vector<sf::Color>& colours, float width);

// One axis: a range and the step between its ticks.
struct Axis {
    double lo = 0.0, hi = 1.0, step = 1.0;

    // A range rounded out to whole steps of 1, 2 or 5 times a power of ten, about `ticks` of
    // them (at least two), padded a little and at least `leastSpan` wide.
    static Axis Round(double low, double high, double leastSpan, float ticks);
    // The whole multiples of the step in the range, from the lowest up; at most 21.
    std::vector<double> Ticks() const;
    // Where a value falls between `from` (lo) and `to` (hi) on screen; kept a little outside.
    float At(double value, float from, float to) const;
};
// The first of the steps (smallest first) that cuts `span` into at most `most` pieces; the
// last when none does.
double StepFor(double span, double most, const std::vector<double>& steps);
// A tick's label: whole numbers without decimals, others with one.
std::string Number(double value);

// The plane of an x-y plot: its box on screen and its two axes.
struct Plane {
    sf::FloatRect box;
    Axis across, up;
    float X(double x) const { return across.At(x, box.left, box.left + box.width); }
    float Y(double y) const { return up.At(y, box.top + box.height, box.top); }
    sf::Vector2f At(double x, double y) const { return {X(x), Y(y)}; }
};

} // namespace plot
