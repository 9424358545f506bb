#include "views/LifeView.h"

#include "growth/GrowthMap.h"
#include "presentation/KeyCodes.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"
#include "views/GrowthMapPage.h"
#include "views/LifeChart.h"
#include "views/Plot.h"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Window/Event.hpp>

#include <cmath>

namespace {
const char* const kPageNames[LifeView::kPages] = {"growth map", "life chart"};
} // namespace

LifeView::LifeView(facade::WindowApp* window, std::vector<LifeRow> rows, LifeRow now,
                   std::vector<const Food*> foods, std::string petName,
                   facade::OperationTable windowOperations)
    : window(window), rows(std::move(rows)), now(std::move(now)),
      plans(growth::PlanCare(growth::GrowthMap(this->now.stage),
                             {this->now.height, this->now.weight, this->now.full, this->now.health}, foods)),
      petName(std::move(petName)), windowOperations(std::move(windowOperations)) {}

LifeView::End LifeView::Run() {
    page = 0;
    window->Activate();
    // Drawn again after every event, and once a second for a window uncovered meanwhile: the
    // page stands still, and drawing it takes more than everything else the game does at rest.
    constexpr int kPollsPerRedraw = 20;
    bool changed = true;
    for (int polls = 0; window->IsOpened() && !ending::Requested(); ++polls) {
        if (changed || polls % kPollsPerRedraw == 0) {
            Draw();
            changed = false;
        }
        window->Deactivate();
        sf::Event event;
        while (window->GetEvent(event)) {
            changed = true;
            if (event.type == sf::Event::Closed) {
                return End::WindowClosed;
            }
            const auto found = windowOperations.find(event.type);
            if (found != windowOperations.end() && event.type != sf::Event::KeyPressed) {
                facade::RunAll(found->second);
            }
            const int key = facade::EventKey(event, [this](float x, float y) { return KeyAt(x, y); });
            if (key != keys::NoKey && HandleKey(key)) {
                window->Activate();
                return End::Left;
            }
        }
        timing::Sleep(0.05);
        window->Activate();
    }
    return End::Left;
}

bool LifeView::HandleKey(int key) {
    if (key == keys::Escape || key == keys::L) {
        return true;
    }
    if (key == keys::Left && page > 0) {
        --page;
    } else if (key == keys::Right && page + 1 < kPages) {
        ++page;
    }
    return false;
}

int LifeView::KeyAt(float x, float y) const {
    if (back.contains(x, y)) {
        return keys::Escape;
    }
    for (int p = 0; p < kPages; ++p) {
        if (p != page && pageMarks[p].contains(x, y)) {
            return p < page ? keys::Left : keys::Right;
        }
    }
    return keys::NoKey;
}

void LifeView::Draw() {
    const float width = static_cast<float>(window->GetWidth());
    const float height = static_cast<float>(window->GetHeight());
    const sf::FloatRect area(0.0f, 0.0f, width, height - kMarksHeight);
    window->ClearScreen();
    if (page == 0) {
        DrawGrowthMap(*window, area, rows, now, petName, plans);
    } else {
        DrawLifeChart(*window, area, rows, petName);
    }

    // The marks: "<- growth map   life chart ->", the current page dark and underlined.
    const float y = height - kMarksHeight / 2.0f;
    float x = width / 2.0f - 8.0f;
    for (int p = kPages - 1; p >= 0; --p) {
        const bool current = p == page;
        std::string label = kPageNames[p];
        if (!current) {
            label = p < page ? "<-  " + label : label + "  ->";
        }
        facade::Text mark(label, facade::Text::kDefaultFont, 12);
        mark.SetColor(current ? plot::kInk : plot::kFaint);
        mark.SetCenter(p == 0 ? 2 : 0, 1);
        mark.SetPosition(std::round(p == 0 ? x : x + 16.0f), std::round(y));
        mark.Draw(*window);
        const sf::FloatRect box = mark.GetBounds();
        pageMarks[p] = {box.left - 6.0f, y - kMarksHeight / 2.0f, box.width + 12.0f, kMarksHeight};
        if (current) {
            sf::RectangleShape line({box.width, 1.5f});
            line.setPosition(box.left, box.top + box.height + 3.0f);
            line.setFillColor(plot::kInk);
            window->draw(line);
        }
    }
    facade::Text escape("Esc: back", facade::Text::kDefaultFont, 11);
    escape.SetColor(plot::kFaint);
    escape.SetCenter(2, 1);
    escape.SetPosition(std::round(width - 10.0f), std::round(y));
    escape.Draw(*window);
    const sf::FloatRect box = escape.GetBounds();
    back = {box.left - 6.0f, y - kMarksHeight / 2.0f, box.width + 16.0f, kMarksHeight};
    window->Display();
}
