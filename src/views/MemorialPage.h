#pragma once

#include "pet/Remembered.h"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include <vector>

// The life view's page "Remembered": the pets that died, newest first, a band each with its
// picture at the stage it reached, its name and stage, when it was made and when it died, how
// long it lived in play, the cause of its death, and a strip of its health over its life. What a
// pet's files do not tell is a dash. Draws inside `area` (logical coordinates) from pet `first`
// on, as many as fit, without clearing or displaying.
void DrawMemorial(sf::RenderTarget& target, const sf::FloatRect& area,
                  const std::vector<remembered::Pet>& pets, std::size_t first);
// How many pets the page shows at once in that area.
std::size_t MemorialFits(const sf::FloatRect& area);
