#pragma once

#include "growth/CarePlanner.h"
#include "pet/LifeRow.h"
#include "pet/Remembered.h"
#include "presentation/EventDispatcher.h"
#include "presentation/Text.h"

#include <optional>
#include <string>
#include <vector>

class Food;
namespace facade {
class WindowApp;
}

// The life view over the whole window: with a pet, its growth map with the care planner and its
// life chart, then the pets that are remembered; without one, the remembered pets alone. Left and
// Right (or a click on a page mark) turn the pages, Up and Down scroll the remembered pets, Escape
// or l (or a click on "Esc: back") leave. Running it takes over the window until then, so the
// game stands still meanwhile.
class LifeView {
public:
    // The band at the bottom that holds the page marks; the pages draw above it.
    static constexpr float kMarksHeight = 26.0f;

    enum class Page { GrowthMap, LifeChart, Remembered };
    enum class End { Left, WindowClosed };

    // The current pet: its life record's rows, itself as it is now, the foods to plan with.
    struct PetLife {
        std::vector<LifeRow> rows;
        LifeRow now;
        std::vector<const Food*> foods;
        std::string name;
    };

    // `windowOperations` are run for the focus events that come while the view is open.
    LifeView(facade::WindowApp* window, std::optional<PetLife> life, std::vector<remembered::Pet> remembered,
             facade::OperationTable windowOperations = {});

    // Shows the first page and takes events until the player leaves, the close button is
    // pressed (the caller then quits) or the game is asked to end.
    End Run();

    // One key while open; true when the view is to close.
    bool HandleKey(int key);
    // The key a click stands for: a page mark's arrow, "Esc: back"'s Escape, or keys::NoKey.
    int KeyAt(float x, float y) const;
    Page GetPage() const { return pages[page]; }
    // Draws the current page and its marks (ClearScreen, page, marks, Display).
    void Draw();

private:
    sf::FloatRect PageArea() const;
    void DrawMarks(float y);

    facade::WindowApp* window;
    std::optional<PetLife> life;
    // Planned and converted once: the pages are drawn again and again while the view is open.
    std::vector<growth::Plan> plans;
    std::vector<LifeRow> chartRows;
    std::vector<remembered::Pet> remembered;
    facade::OperationTable windowOperations;
    std::vector<Page> pages;
    std::size_t page = 0;
    std::size_t first = 0; // the first remembered pet shown
    // Where the marks were drawn last, for clicks.
    std::vector<sf::FloatRect> pageMarks;
    sf::FloatRect back;
};
