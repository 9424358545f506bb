#pragma once

#include <SFML/Graphics/Color.hpp>

#include <string>

namespace facade {
class WindowApp;
}

// A message from the pet: word-wrapped to the window's width, drawn in a random colour in the
// middle of a white window, and held there for the given time. Showing blocks the program.
class PopupText {
public:
    static constexpr const char* kFont = "fonts\\Cookies.ttf";
    static constexpr float kSize = 24.0f;
    static constexpr float kMargin = 40.0f;

    PopupText(const std::string& message, facade::WindowApp* window, float seconds);

    // Breaks the message into lines of at most perLine characters: at the last space that
    // fits (dropping it), at a space within three characters of the line start, or else inside
    // the word with "-" at the end of the line. perLine below 1 is taken as 1.
    static std::string Wrap(const std::string& message, int perLine);
    // Reseeds, then draws blue, green and red in that order.
    static sf::Color DrawColor();
    // Characters per line for the window's width: (width - 40) / width of "X", at least 1.
    static int CharactersPerLine(unsigned windowWidth);
};
