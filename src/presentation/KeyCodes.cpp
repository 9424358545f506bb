#include "presentation/KeyCodes.h"

#include <SFML/Window/Event.hpp>

namespace facade {

using K = sf::Keyboard;

// The run from Escape to Down lies in the same order in both numberings; these checks keep
// the arithmetic below honest should the window library ever reorder its keys.
static_assert(K::Down - K::Escape == keys::Down - keys::Escape);
static_assert(K::Hyphen - K::Escape == keys::Dash - keys::Escape);
static_assert(K::Enter - K::Escape == keys::Return - keys::Escape);
static_assert(K::Backspace - K::Escape == keys::Back - keys::Escape);
static_assert(K::PageUp - K::Escape == keys::PageUp - keys::Escape);
static_assert(K::Z - K::A == 25 && K::Num9 - K::Num0 == 9 && K::Numpad9 - K::Numpad0 == 9);
static_assert(sf::Event::Closed == events::Closed && sf::Event::LostFocus == events::LostFocus &&
              sf::Event::GainedFocus == events::GainedFocus && sf::Event::KeyPressed == events::KeyPressed &&
              sf::Event::MouseEntered == events::MouseEntered);

int TranslateKey(sf::Keyboard::Key key) {
    if (key >= K::A && key <= K::Z) {
        return keys::A + (key - K::A);
    }
    if (key >= K::Num0 && key <= K::Num9) {
        return keys::Num0 + (key - K::Num0);
    }
    if (key >= K::Numpad0 && key <= K::Numpad9) {
        return keys::Num0 + (key - K::Numpad0);
    }
    if (key >= K::Escape && key <= K::Down) {
        return keys::Escape + (key - K::Escape);
    }
    return keys::Unknown;
}

int EventKey(const sf::Event& event, const ClickKeys& at) {
    if (event.type == sf::Event::KeyPressed) {
        return TranslateKey(event.key.code);
    }
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left && at) {
        return at(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y));
    }
    return keys::NoKey;
}

} // namespace facade
