#pragma once

#include "growth/Needs.h"

#include <SFML/Graphics/Color.hpp>

// How the status meters colour a statistic: green when fine, amber close to a need, red while
// the pet needs it. The life chart draws its lines in the same colours.
namespace meterlook {

inline sf::Color LevelColor(needs::Level level) {
    switch (level) {
    case needs::Level::Need:
        return sf::Color(214, 39, 40);
    case needs::Level::Close:
        return sf::Color(245, 166, 0);
    case needs::Level::Good:
        break;
    }
    return sf::Color(46, 160, 67);
}

} // namespace meterlook
