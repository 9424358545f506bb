// The presentation classes on a real window: what reaches the screen is read back pixel by
// pixel, on an X server of the test's own.
#include "TestSupport.h"
#include "XServer.h"
#include "presentation/KeyCodes.h"
#include "presentation/Menu.h"
#include "presentation/Picture.h"
#include "presentation/PopupText.h"
#include "presentation/Text.h"
#include "presentation/WindowApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
};

// The bounding box of the pixels of the window's last frame that satisfy `match` inside `area`.
Box Find(const facade::WindowApp& window, bool (*match)(sf::Color),
         sf::IntRect area = sf::IntRect(0, 0, 1 << 20, 1 << 20)) {
    facade::Picture shot(window);
    const sf::Image& image = shot.GetImage();
    Box box;
    for (unsigned y = 0; y < image.getSize().y; ++y) {
        for (unsigned x = 0; x < image.getSize().x; ++x) {
            if (area.contains(int(x), int(y)) && match(image.getPixel(x, y))) {
                box = {std::min(box.left, int(x)), std::min(box.top, int(y)), std::max(box.right, int(x)),
                       std::max(box.bottom, int(y)), box.count + 1};
            }
        }
    }
    return box;
}

const auto NotWhite = [](sf::Color c) { return c.r < 250 || c.g < 250 || c.b < 250; };
const auto Red = [](sf::Color c) { return c.r > 200 && c.g < 50 && c.b < 50; };
const auto Dark = [](sf::Color c) { return c.r + c.g + c.b < 300; };
const auto Bluish = [](sf::Color c) { return c.b > 150 && c.r < 120 && c.g < 120; };
const auto Magentaish = [](sf::Color c) { return c.r > 150 && c.b > 150 && c.g < 120; };

struct Counter : facade::EventOperation {
    void Execute() override { ++runs; }
    int runs = 0;
};

// Runs in the game's data folder with the game's pauses recorded, not waited.
class WindowTest : public testing::Test {
protected:
    void SetUp() override {
        if (XServer::ForThisProcess() == nullptr) {
            GTEST_SKIP() << "no Xvfb to open windows on";
        }
        previous = fs::current_path();
        fs::current_path(HATCHLING_GAME_DATA);
    }
    void TearDown() override {
        if (!previous.empty()) {
            fs::current_path(previous);
        }
    }
    RecordedSleeps sleeps;
    fs::path previous;
};

} // namespace

TEST_F(WindowTest, ClearsToWhiteAndCentresPictures) {
    const std::string path =
        fs::temp_directory_path() / ("hatchling-dot-" + std::to_string(::getpid()) + ".png");
    sf::Image red;
    red.create(20, 10, sf::Color::Red);
    ASSERT_TRUE(red.saveToFile(path));

    facade::WindowApp window(200, 150, "Hatchling drawing", 4);
    window.Display();
    EXPECT_EQ(Find(window, NotWhite).count, 0);

    facade::Picture dot(path);
    fs::remove(path);
    ASSERT_FALSE(dot.IsEmpty());
    dot.SetCenter(1, 1);
    dot.SetPosition(float(window.GetWidth() / 2), float(window.GetHeight() / 2));
    window.ClearScreen();
    dot.Draw(window);
    window.Display();
    Box box = Find(window, Red);
    EXPECT_EQ(box.count, 200);
    EXPECT_EQ(std::tie(box.left, box.top, box.right, box.bottom), std::make_tuple(90, 70, 109, 79));
}

TEST_F(WindowTest, MenuPageShowsItsItemsAndMarks) {
    facade::WindowApp window(480, 360, "Hatchling menu", 4); // the size of the menu's background
    Counter ops[8];
    Menu menu(&window);
    for (int i = 0; i < 8; ++i) {
        menu.AddItem(keys::A + i, "Entry number " + std::to_string(i), &ops[i]);
    }
    float row = facade::Text("X", Menu::kItemFont, 14.0f).GetHeight() + 5.0f;
    auto rowArea = [row](int r) { return sf::IntRect(20, int(20 + r * row), 150, int(row)); };
    sf::IntRect bottomRight(300, 320, 180, 40), topRight(300, 0, 180, 40);

    // Whatever the background shows, the pages differ by their items and marks.
    menu.DrawPage();
    const int secondRow = Find(window, Dark, rowArea(1)).count;
    Box down = Find(window, Bluish, bottomRight);
    int up = Find(window, Magentaish, topRight).count;

    menu.PageDown();
    menu.DrawPage();
    EXPECT_GT(Find(window, Dark, rowArea(0)).count, 20); // item 7 alone
    EXPECT_GT(secondRow, Find(window, Dark, rowArea(1)).count + 20);
    EXPECT_GT(down.count, Find(window, Bluish, bottomRight).count + 10);
    EXPECT_LE(down.right, 470); // anchored by its bottom-right corner, 10 pixels in
    EXPECT_LE(down.bottom, 350);
    EXPECT_GT(Find(window, Magentaish, topRight).count, up + 10);
}

TEST_F(WindowTest, BalloonIsWrappedAndCentred) {
    ScriptedRandom random{0, 0, 0}; // the darkest colour the balloon can draw: (0, 64, 32)
    facade::WindowApp window(300, 300, "Hatchling balloon", 4);
    const std::string message = "Oh NO! Somebody's dead! This message is long enough to need lines";
    ASSERT_LT(PopupText::CharactersPerLine(window.GetWidth()), int(message.size()));
    PopupText(message, &window, 1.5f);
    EXPECT_EQ(std::tuple(sleeps.waits, random.log), std::tuple(std::vector<double>{1.5}, "SDDD"));

    Box ink = Find(window, NotWhite);
    ASSERT_GT(ink.count, 100);
    EXPECT_NEAR(ink.left + ink.right, 300, 8); // twice the centre
    EXPECT_NEAR(ink.top + ink.bottom, 300, 8);
    EXPECT_GT(ink.bottom - ink.top, 3 * 24); // several lines of 24-pixel text
}
