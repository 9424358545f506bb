// Presentation rules: wrapping, key numbers, text entry, key bindings, drawing order, and menu
// paging, with a menu page drawn on a real window (the end-to-end runs cover the other drawing).
#include "TestSupport.h"
#include "XServer.h"
#include "core/Signals.h"
#include "presentation/EventDispatcher.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/PicText.h"
#include "presentation/Picture.h"
#include "presentation/PopupText.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

sf::Event Key(sf::Keyboard::Key code, sf::Event::EventType type = sf::Event::KeyPressed) {
    sf::Event event{};
    event.type = type;
    event.key.code = code;
    return event;
}

struct Counter : facade::EventOperation {
    void Execute() override { ++runs; }
    int runs = 0;
};

struct Refuse : facade::EventOperation {
    void Execute() override { throw InvalidOperation("I'm full!"); }
};

// A target nothing is drawn on; the drawables under test record their turn instead.
struct NullTarget : sf::RenderTarget {
    sf::Vector2u getSize() const override { return {1, 1}; }
};

struct Recorded : facade::PicText {
    Recorded(int id, int layer, std::vector<int>* log) : id(id), log(log) { SetLayer(layer); }
    void Draw(sf::RenderTarget&) override { log->push_back(id); }
    int id;
    std::vector<int>* log;
};

// How many pixels of the window's last frame inside `area` satisfy `match`.
template <class Match> int Count(const facade::WindowApp& window, sf::IntRect area, Match match) {
    const facade::Picture shot(window);
    int count = 0;
    for (int y = area.top; y < area.top + area.height; ++y) {
        for (int x = area.left; x < area.left + area.width; ++x) {
            count += match(shot.GetImage().getPixel(unsigned(x), unsigned(y))) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

TEST(PopupText, WrapsAsThePetSpeaksAndDrawsItsColour) {
    // Broken at the last space that keeps the line within the width; the space goes.
    EXPECT_EQ(PopupText::Wrap("the quick brown fox", 10), "the quick\nbrown fox");
    // A word longer than the line is cut with a dash.
    EXPECT_EQ(PopupText::Wrap("abcdefghijkl", 5), "abcde-\nfghij-\nkl");
    // A space at the very start of a line with no other space in reach leaves an empty line.
    EXPECT_EQ(PopupText::Wrap("abcd  efghijk", 4), "abcd\n\nefgh-\nijk");
    // Below 1 counts as 1, so the wrapping always moves on.
    EXPECT_EQ(PopupText::Wrap("abc", -7), "a-\nb-\nc");

    ScriptedRandom random{10, 200, 300};
    const sf::Color colour = PopupText::DrawColor(); // blue, green, red
    EXPECT_EQ(colour, sf::Color(300 % 256, 64 + 200 % 128, 32 + 10));
    EXPECT_EQ(random.log, "SDDD");
}

// The letters, the number row and the run from Escape to Down: the static checks beside the
// translation, the end-to-end runs' keys and the mini-game's digits.
TEST(KeyTranslation, NumpadDigitsAreDigitsAndOtherKeysUnknown) {
    EXPECT_EQ(std::pair(facade::TranslateKey(sf::Keyboard::Numpad1), facade::TranslateKey(sf::Keyboard::F1)),
              std::pair(49, keys::Unknown));
}

TEST(InputReader, CollectsCapitalsSpacesAndDashesUpToTheWidth) {
    facade::InputReader reader(640);
    for (auto key : {sf::Keyboard::A, sf::Keyboard::Space, sf::Keyboard::Backspace, sf::Keyboard::Hyphen,
                     sf::Keyboard::Num1, sf::Keyboard::Tab}) {
        reader.Handle(Key(key));
    }
    reader.Handle(Key(sf::Keyboard::X, sf::Event::KeyReleased));
    EXPECT_EQ(SignalFrom<InputFinished>([&] { reader.Handle(Key(sf::Keyboard::Enter)); }), "A-");
    EXPECT_NO_THROW(reader.Handle(Key(sf::Keyboard::Enter))); // nothing typed: nothing happens
    for (int i = 0; i < 60; ++i) {
        reader.Handle(Key(sf::Keyboard::Z));
    }
    EXPECT_THROW(reader.Handle(Key(sf::Keyboard::Escape)), InterruptedException);
    EXPECT_EQ(reader.GetText().size(), 42u); // kept for the next entry, cut to the width
    EXPECT_EQ(facade::InputReader(29).GetMaxLength(), 1);
}

TEST(EventDispatcher, RunsBindingsRoutesWindowEventsFirstAndSwitchesModes) {
    facade::EventDispatcher dispatcher(nullptr);
    Counter quit, key;
    Refuse refuse;
    dispatcher.AddWindowOperation(events::Closed, &quit);
    dispatcher.AddKeyOperation(keys::K, &key);
    dispatcher.AddKeyOperation(keys::K, &key);
    dispatcher.AddKeyOperation(keys::R, &refuse);
    dispatcher.Dispatch(Key(sf::Keyboard::K));
    dispatcher.Dispatch(Key(sf::Keyboard::K, sf::Event::KeyReleased));
    dispatcher.RemoveKeyOperation(keys::K, &key); // unbinds only the first
    dispatcher.Dispatch(Key(sf::Keyboard::K));
    sf::Event closed{};
    closed.type = sf::Event::Closed;
    dispatcher.BeginInput();
    dispatcher.Dispatch(closed); // runs even while a name is being typed
    dispatcher.Dispatch(Key(sf::Keyboard::K));
    EXPECT_EQ(std::tuple(quit.runs, key.runs), std::tuple(1, 3)); // both bindings ran, then one
    EXPECT_THROW(dispatcher.Dispatch(Key(sf::Keyboard::Escape)), InterruptedException);
    // A signal out of a bound operation (run only in normal mode again) ends in normal mode with its text
    // delivered once.
    dispatcher.Dispatch(Key(sf::Keyboard::R));
    EXPECT_EQ(dispatcher.TakeFinishedText(), "I'm full!");
    EXPECT_EQ(dispatcher.TakeFinishedText(), "");
}

TEST(PicTextBasket, DrawsByLayerKeepingInsertionOrderAmongEquals) {
    std::vector<int> log;
    Recorded three(1, 3, &log), oneA(2, 1, &log), oneB(3, 1, &log), zero(4, 0, &log), front(9, 5, &log);
    facade::PicTextBasket basket, outer;
    for (facade::PicText* child : std::vector<facade::PicText*>{&three, &oneA, &oneB, &zero}) {
        basket.Add(child);
    }
    NullTarget target;
    basket.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 2, 3, 1}));
    // The sort stays, so a child added again comes after its equals; Remove takes the first.
    basket.Add(&oneA);
    basket.Remove(&oneA);
    outer.Add(&front);
    outer.Add(&basket); // a basket inside a basket draws its own children by layer
    log.clear();
    outer.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 3, 2, 1, 9}));
}

TEST(MenuPaging, SevenItemsToAPage) {
    Counter ops[15];
    Menu menu(nullptr);
    for (int i = 0; i < 15; ++i) {
        menu.AddItem(keys::A + i, "Item " + std::to_string(i), &ops[i]);
    }
    EXPECT_EQ(menu.GetItems()[2].GetText(), "c) Item 2\n");
    // The page marks are drawn and checked by the window test below.
    EXPECT_FALSE(menu.HandleKey(keys::PageDown));
    menu.HandleKey(keys::Down);
    EXPECT_EQ(menu.GetPageStart(), 14);
    menu.HandleKey(keys::PageDown); // no further page
    EXPECT_EQ(menu.GetPageStart(), 14);

    // Unbound letters keep the menu open; Escape leaves without running anything; an item key
    // runs its operation and leaves; a key added again replaces the item's operation.
    EXPECT_FALSE(menu.HandleKey(keys::Z));
    EXPECT_TRUE(menu.HandleKey(keys::Escape));
    EXPECT_EQ(ops[2].runs, 0);
    EXPECT_TRUE(menu.HandleKey(keys::C));
    Counter replacement;
    menu.AddItem(keys::C, "Again", &replacement);
    menu.HandleKey(keys::C);
    EXPECT_EQ(std::tuple(ops[2].runs, replacement.runs), std::tuple(1, 1));
}

// Named like the other window tests, which the sanitizer run keeps together in one process.
TEST(WindowTest, MenuPageShowsItsItemsAndMarks) {
    if (XServer::ForThisProcess() == nullptr) {
        GTEST_SKIP() << "no Xvfb to open windows on";
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(HATCHLING_GAME_DATA);      // for the menu's background and font
    facade::WindowApp window(480, 360, "Hatchling menu", 4); // the size of the menu's background
    Counter ops[8];
    Menu menu(&window);
    for (int i = 0; i < 8; ++i) {
        menu.AddItem(keys::A + i, "Entry number " + std::to_string(i), &ops[i]);
    }
    const float row = facade::Text("X", Menu::kItemFont, 14.0f).GetHeight() + 5.0f;
    const auto rowArea = [row](int r) { return sf::IntRect(20, int(20 + r * row), 150, int(row)); };
    const sf::IntRect bottomRight(300, 320, 180, 40), topRight(300, 0, 180, 40);
    const auto dark = [](sf::Color c) { return c.r + c.g + c.b < 300; };
    const auto bluish = [](sf::Color c) { return c.b > 150 && c.r < 120 && c.g < 120; };
    const auto magentaish = [](sf::Color c) { return c.r > 150 && c.b > 150 && c.g < 120; };

    // Whatever the background shows, the pages differ by their items and marks.
    menu.DrawPage();
    const int secondRow = Count(window, rowArea(1), dark);
    const int down = Count(window, bottomRight, bluish), up = Count(window, topRight, magentaish);
    // The down mark is anchored by its bottom-right corner, 10 pixels in.
    EXPECT_EQ(Count(window, {470, 320, 10, 40}, bluish) + Count(window, {300, 350, 180, 10}, bluish), 0);
    menu.PageDown();
    menu.DrawPage();
    EXPECT_GT(Count(window, rowArea(0), dark), 20); // item 7 alone
    EXPECT_GT(secondRow, Count(window, rowArea(1), dark) + 20);
    EXPECT_GT(down, Count(window, bottomRight, bluish) + 10);
    EXPECT_GT(Count(window, topRight, magentaish), up + 10);
    std::filesystem::current_path(previous);
}
