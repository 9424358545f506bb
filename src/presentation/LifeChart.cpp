#include "presentation/LifeChart.h"

#include "presentation/Text.h"
#include "presentation/WindowApp.h"

// A placeholder until the chart itself lands.
void DrawLifeChart(facade::WindowApp& window, const std::vector<LifeRow>& rows, const std::string& petName) {
    facade::Text text(petName + "'s life: " + std::to_string(rows.size()) + " rows",
                      facade::Text::kDefaultFont, 16);
    text.SetColor(sf::Color(60, 60, 60));
    text.SetCenter(1, 1);
    text.SetPosition(static_cast<float>(window.GetWidth() / 2), static_cast<float>(window.GetHeight() / 2));
    text.Draw(window);
}
