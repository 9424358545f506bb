// Presentation rules that need no window: wrapping, key numbers, text entry, key bindings,
// drawing order, menu paging, rotation bookkeeping and the picture cache.
#include "TestSupport.h"
#include "core/Signals.h"
#include "presentation/EventDispatcher.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/PicFactory.h"
#include "presentation/PicText.h"
#include "presentation/Picture.h"
#include "presentation/PopupText.h"
#include "presentation/Text.h"

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

TEST(PopupWrap, BreaksLinesAsThePetSpeaks) {
    EXPECT_EQ(PopupText::Wrap("Hello", 10), "Hello");
    // Broken at the last space that keeps the line within 10 characters; the space goes.
    EXPECT_EQ(PopupText::Wrap("the quick brown fox", 10), "the quick\nbrown fox");
    // A word longer than the line is cut with a dash.
    EXPECT_EQ(PopupText::Wrap("abcdefghijkl", 5), "abcde-\nfghij-\nkl");
    // With a line of 2 the space three characters on still breaks the line there.
    EXPECT_EQ(PopupText::Wrap("abc def", 2), "abc\nde-\nf");
    // A space at the very start of a line with no other space in reach leaves an empty line.
    EXPECT_EQ(PopupText::Wrap("abcd  efghijk", 4), "abcd\n\nefgh-\nijk");
    // Below 1 counts as 1, so the wrapping always moves on.
    EXPECT_EQ(PopupText::Wrap("abc", 0), "a-\nb-\nc");
    EXPECT_EQ(PopupText::Wrap("abc", -7), "a-\nb-\nc");
    EXPECT_EQ(PopupText::Wrap("", 0), "");
}

TEST(PopupColour, ReseedsThenDrawsBlueGreenRed) {
    ScriptedRandom random{10, 200, 300};
    sf::Color colour = PopupText::DrawColor();
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_EQ(int(colour.b), 32 + 10);
    EXPECT_EQ(int(colour.g), 64 + 200 % 128);
    EXPECT_EQ(int(colour.r), 300 % 256);
    EXPECT_EQ(int(colour.a), 255);
}

TEST(KeyTranslation, MapsWindowKeysToTheGameNumbers) {
    using K = sf::Keyboard;
    EXPECT_EQ(facade::TranslateKey(K::A), 97);
    EXPECT_EQ(facade::TranslateKey(K::M), keys::M);
    EXPECT_EQ(facade::TranslateKey(K::Z), 122);
    EXPECT_EQ(facade::TranslateKey(K::Num0), 48);
    EXPECT_EQ(facade::TranslateKey(K::Num3), 51);
    EXPECT_EQ(facade::TranslateKey(K::Numpad1), 49);
    EXPECT_EQ(facade::TranslateKey(K::Escape), 256);
    EXPECT_EQ(facade::TranslateKey(K::Hyphen), 276);
    EXPECT_EQ(facade::TranslateKey(K::Space), 277);
    EXPECT_EQ(facade::TranslateKey(K::Enter), 278);
    EXPECT_EQ(facade::TranslateKey(K::Backspace), 279);
    EXPECT_EQ(facade::TranslateKey(K::Tab), 280);
    EXPECT_EQ(facade::TranslateKey(K::PageUp), 281);
    EXPECT_EQ(facade::TranslateKey(K::PageDown), 282);
    EXPECT_EQ(facade::TranslateKey(K::Left), 291);
    EXPECT_EQ(facade::TranslateKey(K::Right), 292);
    EXPECT_EQ(facade::TranslateKey(K::Up), 293);
    EXPECT_EQ(facade::TranslateKey(K::Down), 294);
    EXPECT_EQ(facade::TranslateKey(K::F1), keys::Unknown);
    EXPECT_EQ(facade::TranslateKey(K::Unknown), keys::Unknown);
}

TEST(InputReader, CollectsCapitalsSpacesAndDashesUpToTheWidth) {
    facade::InputReader reader(640);
    EXPECT_EQ(reader.GetMaxLength(), 42);
    for (auto key : {sf::Keyboard::A, sf::Keyboard::B, sf::Keyboard::Backspace, sf::Keyboard::D}) {
        reader.Handle(Key(key));
    }
    // Releases, digits, Tab, arrows and other punctuation add nothing.
    for (auto key : {sf::Keyboard::Num1, sf::Keyboard::Numpad2, sf::Keyboard::Tab, sf::Keyboard::Left,
                     sf::Keyboard::Comma, sf::Keyboard::Period}) {
        reader.Handle(Key(key));
    }
    reader.Handle(Key(sf::Keyboard::X, sf::Event::KeyReleased));
    EXPECT_EQ(reader.GetText(), "AD");
    try {
        reader.Handle(Key(sf::Keyboard::Enter));
        FAIL() << "Return with text must finish the entry";
    } catch (const InputFinished& done) {
        EXPECT_EQ(done.GetMessage(), "AD");
    }
    EXPECT_EQ(reader.GetText(), "");
    EXPECT_NO_THROW(reader.Handle(Key(sf::Keyboard::Enter))); // nothing typed: nothing happens

    reader.Handle(Key(sf::Keyboard::Q));
    reader.Handle(Key(sf::Keyboard::Space));
    reader.Handle(Key(sf::Keyboard::Hyphen));
    EXPECT_THROW(reader.Handle(Key(sf::Keyboard::Escape)), InterruptedException);
    EXPECT_EQ(reader.GetText(), "Q -"); // Escape keeps the text for the next entry

    for (int i = 0; i < 60; ++i) {
        reader.Handle(Key(sf::Keyboard::Z));
    }
    EXPECT_EQ(reader.GetText().size(), 42u);
    reader.Handle(Key(sf::Keyboard::Backspace));
    EXPECT_EQ(reader.GetText().size(), 41u);
    EXPECT_EQ(facade::InputReader(29).GetMaxLength(), 1);
}

TEST(EventFetcher, RunsEveryBindingOncePerPressAndUnbindsTheFirst) {
    facade::EventFetcher fetcher;
    Counter menu, other;
    fetcher.AddOperation(keys::M, &menu);
    fetcher.AddOperation(keys::M, &menu);
    fetcher.AddOperation(keys::P, &other);
    fetcher.Handle(Key(sf::Keyboard::M));
    EXPECT_EQ(menu.runs, 2);
    fetcher.Handle(Key(sf::Keyboard::M, sf::Event::KeyReleased));
    fetcher.Handle(Key(sf::Keyboard::N));
    EXPECT_EQ(menu.runs, 2);
    EXPECT_EQ(other.runs, 0);

    fetcher.RemoveOperation(keys::M, &menu);
    fetcher.Handle(Key(sf::Keyboard::M));
    EXPECT_EQ(menu.runs, 3);
    fetcher.RemoveOperation(keys::M, &other); // not bound there: nothing changes
    fetcher.RemoveOperation(keys::M, &menu);
    EXPECT_EQ(fetcher.GetKeyOperations().count(keys::M), 0u);
    EXPECT_EQ(fetcher.GetKeyOperations().count(keys::P), 1u);
}

TEST(EventDispatcher, RoutesWindowEventsFirstAndSwitchesModes) {
    facade::EventDispatcher dispatcher(nullptr);
    Counter quit, focus, key;
    Refuse refuse;
    dispatcher.AddWindowOperation(events::Closed, &quit);
    dispatcher.AddWindowOperation(events::LostFocus, &focus);
    dispatcher.AddWindowOperation(events::KeyPressed, &key); // not a window event type: ignored
    dispatcher.AddKeyOperation(keys::R, &refuse);
    EXPECT_EQ(dispatcher.GetWindowOperations().size(), 3u);

    sf::Event closed{};
    closed.type = sf::Event::Closed;
    dispatcher.BeginInput();
    EXPECT_TRUE(dispatcher.IsInputMode());
    dispatcher.Dispatch(closed); // runs even while a name is being typed
    dispatcher.Dispatch(Key(sf::Keyboard::K));
    EXPECT_EQ(quit.runs, 1);
    EXPECT_EQ(key.runs, 0);
    EXPECT_THROW(dispatcher.Dispatch(Key(sf::Keyboard::Escape)), InterruptedException);
    EXPECT_FALSE(dispatcher.IsInputMode());

    // A signal out of a bound operation ends in normal mode with its text delivered once.
    EXPECT_EQ(dispatcher.TakeFinishedText(), "");
    dispatcher.Dispatch(Key(sf::Keyboard::R));
    EXPECT_TRUE(dispatcher.IsInputFinished());
    EXPECT_EQ(dispatcher.TakeFinishedText(), "I'm full!");
    EXPECT_FALSE(dispatcher.IsInputFinished());
    EXPECT_EQ(dispatcher.TakeFinishedText(), "");
}

TEST(PicTextBasket, DrawsByLayerKeepingInsertionOrderAmongEquals) {
    std::vector<int> log;
    Recorded three(1, 3, &log), oneA(2, 1, &log), oneB(3, 1, &log), zero(4, 0, &log), stray(5, 0, &log);
    facade::PicTextBasket basket;
    for (facade::PicText* child : std::vector<facade::PicText*>{&three, &oneA, &oneB, &zero}) {
        basket.Add(child);
    }
    NullTarget target;
    basket.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 2, 3, 1}));
    // The sort stays: the basket now holds its children in drawing order.
    EXPECT_EQ(basket.GetChildren(), (std::vector<facade::PicText*>{&zero, &oneA, &oneB, &three}));

    basket.Add(&oneA);
    basket.Remove(&stray);
    log.clear();
    basket.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 2, 3, 2, 1}));
    basket.Remove(&oneA);
    log.clear();
    basket.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 3, 2, 1}));

    facade::PicTextBasket outer; // a basket inside a basket draws its own children by layer
    Recorded front(9, 5, &log);
    outer.Add(&front);
    outer.Add(&basket);
    log.clear();
    outer.Draw(target);
    EXPECT_EQ(log, (std::vector<int>{4, 3, 2, 1, 9}));
    basket.Clear();
    log.clear();
    basket.Draw(target);
    EXPECT_TRUE(log.empty());
}

TEST(MenuPaging, SevenItemsToAPage) {
    Counter ops[15];
    auto build = [&ops](Menu& menu, int count) {
        for (int i = 0; i < count; ++i) {
            menu.AddItem(keys::A + i, "Item " + std::to_string(i), &ops[i]);
        }
    };
    Menu four(nullptr);
    build(four, 4);
    EXPECT_FALSE(four.HasPageDownMark());
    four.HandleKey(keys::PageDown);
    four.HandleKey(keys::Down);
    EXPECT_EQ(four.GetPageStart(), 0);
    EXPECT_FALSE(four.HasPageUpMark());
    EXPECT_EQ(four.GetItems()[2].GetText(), "c) Item 2\n");

    Menu eight(nullptr);
    build(eight, 8);
    EXPECT_TRUE(eight.HasPageDownMark());
    EXPECT_FALSE(eight.HandleKey(keys::PageDown));
    EXPECT_EQ(eight.GetPageStart(), 7);
    EXPECT_TRUE(eight.HasPageUpMark());
    EXPECT_FALSE(eight.HasPageDownMark());
    eight.HandleKey(keys::Up);
    EXPECT_EQ(eight.GetPageStart(), 0);

    Menu fifteen(nullptr);
    build(fifteen, 15);
    fifteen.HandleKey(keys::Down);
    fifteen.HandleKey(keys::PageDown);
    EXPECT_EQ(fifteen.GetPageStart(), 14);
    fifteen.HandleKey(keys::PageDown);
    EXPECT_EQ(fifteen.GetPageStart(), 14);
    fifteen.PageUp();
    EXPECT_EQ(fifteen.GetPageStart(), 7);

    // Unbound letters keep the menu open; Escape leaves without running anything; an item key
    // runs its operation and leaves.
    EXPECT_FALSE(fifteen.HandleKey(keys::Z));
    EXPECT_TRUE(fifteen.HandleKey(keys::Escape));
    for (const Counter& op : ops) {
        EXPECT_EQ(op.runs, 0);
    }
    EXPECT_TRUE(fifteen.HandleKey(keys::C));
    EXPECT_EQ(ops[2].runs, 1);
    Counter replacement;
    fifteen.AddItem(keys::C, "Again", &replacement);
    fifteen.HandleKey(keys::C);
    EXPECT_EQ(ops[2].runs, 1);
    EXPECT_EQ(replacement.runs, 1);
}

TEST(Picture, KeepsTheAccumulatedRotation) {
    facade::Picture picture(4u, 2u, sf::Color::Red);
    picture.SetCenter(1, 1);
    picture.SetPosition(30.0f, 40.0f);
    picture.Rotate(200.0f);
    picture.Rotate(200.0f);
    EXPECT_FLOAT_EQ(picture.GetRotation(), 40.0f);
    EXPECT_FLOAT_EQ(picture.GetSprite().getRotation(), 40.0f);
    picture.ResetTransform();
    EXPECT_FLOAT_EQ(picture.GetRotation(), 0.0f);
    EXPECT_NEAR(picture.GetSprite().getRotation(), 0.0f, 1e-3);
    EXPECT_EQ(picture.GetSprite().getOrigin(), sf::Vector2f(0.0f, 0.0f));
    EXPECT_EQ(picture.GetSprite().getPosition(), sf::Vector2f(0.0f, 0.0f));
    picture.Rotate(-30.0f);
    picture.Rotate(-350.0f);
    EXPECT_FLOAT_EQ(picture.GetRotation(), -20.0f); // keeps the sign of the sum

    picture.Resize(8.0f, 6.0f);
    EXPECT_FLOAT_EQ(picture.GetWidth(), 8.0f);
    EXPECT_FLOAT_EQ(picture.GetHeight(), 6.0f);
    picture.SetCenter(1, 2); // anchored in the picture's own pixels
    EXPECT_EQ(picture.GetSprite().getOrigin(), sf::Vector2f(2.0f, 2.0f));
}

TEST(PicFactory, CachesAMissingPictureEmptyAndReportsItOnce) {
    testing::internal::CaptureStderr();
    facade::Picture* first = PicFactory::GetPicture("NoSuchPictureAnywhere");
    facade::Picture* again = PicFactory::GetPicture("NoSuchPictureAnywhere");
    std::string report = testing::internal::GetCapturedStderr();
    EXPECT_EQ(first, again);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->IsEmpty());
    EXPECT_EQ(first->GetWidth(), 0.0f);
    EXPECT_NE(report.find("imgs\\NoSuchPictureAnywhere.png"), std::string::npos) << report;
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 1) << report;
}

TEST(Text, KeepsBytesAsLatin1AndSharesFonts) {
    facade::Text text;
    text.SetText("Caf\xe9 \xff!");
    EXPECT_EQ(text.GetSfText().getString().getSize(), 7u);
    EXPECT_EQ(text.GetSfText().getString()[3], 0xe9u);
    EXPECT_EQ(text.GetText(), "Caf\xe9 \xff!");
    EXPECT_EQ(text.GetSfText().getCharacterSize(), 24u);
    EXPECT_EQ(text.GetColor(), sf::Color::Black);

    facade::Text one("a", "fonts\\NoSuchFont.ttf", 12.0f), two("b", "fonts\\NoSuchFont.ttf", 20.0f);
    EXPECT_EQ(one.GetSfText().getFont(), two.GetSfText().getFont());
    EXPECT_EQ(one.GetSfText().getFont(), &facade::Text::GetFont("fonts\\NoSuchFont.ttf"));
    EXPECT_NE(one.GetSfText().getFont(), &facade::Text::GetFont(facade::Text::kDefaultFont));
}
