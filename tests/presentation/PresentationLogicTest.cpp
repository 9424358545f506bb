// Presentation rules: wrapping, key numbers, text entry, key bindings, drawing order and menu
// paging (the end-to-end runs cover the drawing).
#include "TestSupport.h"
#include "presentation/EventDispatcher.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/PicText.h"
#include "presentation/PopupText.h"
#include "support/Signals.h"

#include <SFML/Graphics/RenderTarget.hpp>
#include <gtest/gtest.h>

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
    for (auto key : {sf::Keyboard::Space, sf::Keyboard::Space, sf::Keyboard::Enter}) {
        EXPECT_NO_THROW(reader.Handle(Key(key))); // nor with blanks alone, which stay typed
    }
    reader.Handle(Key(sf::Keyboard::B));
    EXPECT_EQ(SignalFrom<InputFinished>([&] { reader.Handle(Key(sf::Keyboard::Enter)); }), "  B");
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
