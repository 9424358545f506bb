#include "views/LifeView.h"

#include "growth/GrowthMap.h"
#include "presentation/KeyCodes.h"
#include "presentation/WindowApp.h"
#include "support/EndRequest.h"
#include "support/Seams.h"
#include "views/GrowthMapPage.h"
#include "views/LifeChart.h"
#include "views/MemorialPage.h"
#include "views/Plot.h"

#include <SFML/Window/Event.hpp>

#include <cmath>

namespace {
const char* PageName(LifeView::Page page) {
    switch (page) {
    case LifeView::Page::GrowthMap:
        return "growth map";
    case LifeView::Page::LifeChart:
        return "life chart";
    case LifeView::Page::Remembered:
        break;
    }
    return "remembered";
}
} // namespace

LifeView::LifeView(facade::WindowApp* window, std::optional<PetLife> life,
                   std::vector<remembered::Pet> remembered, facade::OperationTable windowOperations)
    : window(window), life(std::move(life)), remembered(std::move(remembered)),
      windowOperations(std::move(windowOperations)) {
    pages = this->life ? std::vector{Page::GrowthMap, Page::LifeChart, Page::Remembered}
                       : std::vector{Page::Remembered};
    if (this->life) {
        const LifeRow& now = this->life->now;
        plans = growth::PlanCare(growth::GrowthMap(now.stage), {now.height, now.weight, now.full, now.health},
                                 this->life->foods);
        chartRows = ChartRows(this->life->rows);
    }
    pageMarks.resize(pages.size());
}

LifeView::End LifeView::Run() {
    page = 0;
    window->Activate();
    // Drawn again after every event but a move of the mouse, and twice a second for a window
    // uncovered meanwhile, as the game's other loops are: the page stands still, and its plans and
    // chart rows are made once, on opening.
    constexpr int kPollsPerRedraw = 10;
    bool changed = true;
    for (int polls = 0; window->IsOpened() && !ending::Requested(); ++polls) {
        if (changed || polls % kPollsPerRedraw == 0) {
            Draw();
            changed = false;
        }
        window->Deactivate();
        sf::Event event;
        while (window->GetEvent(event)) {
            // Focus and an entering mouse run window operations, which may paint the window.
            changed = changed || event.type != sf::Event::MouseMoved;
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
    } else if (key == keys::Right && page + 1 < pages.size()) {
        ++page;
    } else if (GetPage() == Page::Remembered && (key == keys::Up || key == keys::Down)) {
        const std::size_t fits = MemorialFits(PageArea());
        const std::size_t most = remembered.size() > fits ? remembered.size() - fits : 0;
        first = key == keys::Up ? (first > 0 ? first - 1 : 0) : std::min(first + 1, most);
    }
    return false;
}

int LifeView::KeyAt(float x, float y) const {
    if (back.contains(x, y)) {
        return keys::Escape;
    }
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p != page && pageMarks[p].contains(x, y)) {
            return p < page ? keys::Left : keys::Right;
        }
    }
    return keys::NoKey;
}

sf::FloatRect LifeView::PageArea() const {
    return {0.0f, 0.0f, static_cast<float>(window->GetWidth()),
            static_cast<float>(window->GetHeight()) - kMarksHeight};
}

void LifeView::Draw() {
    const sf::FloatRect area = PageArea();
    window->ClearScreen();
    if (GetPage() == Page::GrowthMap) {
        DrawGrowthMap(*window, area, life->rows, life->now, life->name, plans);
    } else if (GetPage() == Page::LifeChart) {
        DrawLifeChart(*window, area, chartRows, life->name);
    } else {
        DrawMemorial(*window, area, remembered, first);
    }
    const float y = area.height + kMarksHeight / 2.0f;
    DrawMarks(y);
    const sf::FloatRect box =
        plot::Write(*window, "Esc: back", {11, plot::kFaint}, plot::Whole(area.width - 10.0f, y), {2, 1});
    back = {box.left - 6.0f, y - kMarksHeight / 2.0f, box.width + 16.0f, kMarksHeight};
    window->Display();
}

void LifeView::DrawMarks(float y) {
    // "<- growth map   life chart   remembered ->" in the middle: the current page dark and
    // underlined, arrows at the ends for the pages on either side.
    constexpr float kGap = 16.0f;
    std::vector<facade::Text> marks;
    float width = 0.0f;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const std::string name = PageName(pages[p]);
        marks.push_back(plot::Styled(p + 1 == page   ? "<-  " + name
                                     : p == page + 1 ? name + "  ->"
                                                     : name,
                                     {12, p == page ? plot::kInk : plot::kFaint}));
        width += marks.back().GetWidth() + (p > 0 ? kGap : 0.0f);
    }
    float x = std::round(static_cast<float>(window->GetWidth()) / 2.0f - width / 2.0f);
    for (std::size_t p = 0; p < marks.size(); ++p) {
        const sf::FloatRect box = plot::Place(*window, marks[p], {x, std::round(y)}, {0, 1});
        pageMarks[p] = {box.left - 6.0f, y - kMarksHeight / 2.0f, box.width + 12.0f, kMarksHeight};
        if (p == page) {
            plot::Box(*window, {box.left, box.top + box.height + 3.0f, box.width, 1.5f}, plot::kInk);
        }
        x += marks[p].GetWidth() + kGap;
    }
}
