#include "presentation/PopupText.h"

#include "presentation/Hold.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"
#include "support/Seams.h"

#include <algorithm>

PopupText::PopupText(const std::string& message, facade::WindowApp* window, float seconds) {
    if (window != nullptr) {
        facade::Text text(Wrap(message, CharactersPerLine(window->GetWidth())), facade::Text::kDefaultFont,
                          kSize);
        text.SetLayer(1);
        text.SetColor(DrawColor());
        text.SetFont(kFont);
        text.SetSize(kSize);
        text.SetCenter(1, 1);
        text.SetPosition(float(window->GetWidth() / 2), float(window->GetHeight() / 2));
        facade::Hold(*window, seconds, [&] {
            window->ClearScreen();
            text.Draw(*window);
        });
        return;
    }
    timing::Sleep(seconds);
}

int PopupText::CharactersPerLine(unsigned windowWidth) {
    facade::Text probe("X", facade::Text::kDefaultFont, kSize);
    probe.SetFont(kFont);
    probe.SetSize(kSize);
    float letter = probe.GetWidth();
    // Without the font nothing shows, and a zero width must not be divided by.
    if (letter <= 0.0f) {
        return 1;
    }
    float perLine = (float(windowWidth) - kMargin) / letter;
    return perLine < 1.0f ? 1 : int(std::min(perLine, 1.0e6f));
}

std::string PopupText::Wrap(const std::string& message, int perLine) {
    const std::size_t length = std::size_t(std::max(perLine, 1));
    const std::size_t end = message.size();
    std::string out;
    std::size_t i = 0;
    while (true) {
        if (i + length >= end) {
            out += message.substr(i);
            return out;
        }
        std::size_t space = message.rfind(' ', i + length);
        if (space != std::string::npos && space > i) {
            out += message.substr(i, space - i) + "\n";
            i = space + 1;
            continue;
        }
        space = message.find(' ', i);
        if (space != std::string::npos && space <= i + 3) {
            out += message.substr(i, space - i) + "\n";
            i = space + 1;
            continue;
        }
        out += message.substr(i, length) + "-\n";
        i += length;
    }
}

sf::Color PopupText::DrawColor() {
    chance::Reseed();
    sf::Uint8 blue = sf::Uint8(32 + chance::R(64));
    sf::Uint8 green = sf::Uint8(64 + chance::R(128));
    sf::Uint8 red = sf::Uint8(chance::R(256));
    return sf::Color(red, green, blue, 255);
}
