#pragma once

#include "pet/LifeRow.h"

#include <SFML/Graphics/Rect.hpp>

#include <string>
#include <vector>

namespace facade {
class WindowApp;
}

// The pet's life on one page: mood, full, energy, health and dirty over its life steps, one
// strip each, the lines coloured as the status meters colour them; the stages as labelled marks;
// feeds, games, cleans and cures as ticks along the bottom; the time axis in minutes or hours of
// play. Fills `area` (logical coordinates), the strips taking the height it has, without
// clearing or displaying.
void DrawLifeChart(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const std::string& petName);
