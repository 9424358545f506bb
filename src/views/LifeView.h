#pragma once

#include "growth/CarePlanner.h"
#include "pet/LifeRow.h"
#include "presentation/EventDispatcher.h"
#include "presentation/Text.h"

#include <string>
#include <vector>

class Food;
namespace facade {
class WindowApp;
}

// The pet's life in two pages over the whole window: the growth map with the care planner, and
// the life chart. Left and Right (or a click on a page mark) turn the pages, Escape or l (or a
// click on "Esc: back") leave. Running it takes over the window until then, so the game stands
// still meanwhile.
class LifeView {
public:
    static constexpr int kPages = 2;
    // The band at the bottom that holds the page marks; the pages draw above it.
    static constexpr float kMarksHeight = 26.0f;

    enum class End { Left, WindowClosed };

    // `rows` is the pet's life record, `now` the pet as it is. `windowOperations` are run for the
    // focus events that come while the view is open.
    LifeView(facade::WindowApp* window, std::vector<LifeRow> rows, LifeRow now,
             std::vector<const Food*> foods, std::string petName,
             facade::OperationTable windowOperations = {});

    // Shows the first page and takes events until the player leaves, the close button is
    // pressed (the caller then quits) or the game is asked to end.
    End Run();

    // One key while open; true when the view is to close.
    bool HandleKey(int key);
    // The key a click stands for: a page mark's arrow, "Esc: back"'s Escape, or keys::NoKey.
    int KeyAt(float x, float y) const;
    int GetPage() const { return page; }
    // Draws the current page and its marks (ClearScreen, page, marks, Display).
    void Draw();

private:
    facade::WindowApp* window;
    std::vector<LifeRow> rows;
    LifeRow now;
    // Planned once: the page is drawn again and again while the view is open.
    std::vector<growth::Plan> plans;
    std::string petName;
    facade::OperationTable windowOperations;
    int page = 0;
    // Where the marks were drawn last, for clicks.
    sf::FloatRect pageMarks[kPages];
    sf::FloatRect back;
};
