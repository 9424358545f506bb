#pragma once

#include "growth/CarePlanner.h"
#include "pet/LifeRow.h"

#include <SFML/Graphics/Rect.hpp>

#include <span>
#include <string>
#include <vector>

namespace facade {
class WindowApp;
}

// The life view's first page: where the pet stands on the height-weight plane of its stage's
// growth rules, the path it came by, what it still lacks for each next stage and the care plan
// that gets it there (`plans`, as PlanCare made them for it); for a fully grown pet, its whole
// way through the stages. Draws inside `area` (logical coordinates), without clearing or
// displaying.
void DrawGrowthMap(facade::WindowApp& window, const sf::FloatRect& area, const std::vector<LifeRow>& rows,
                   const LifeRow& now, const std::string& petName, std::span<const growth::Plan> plans);
