// The status view's meters never cover its text, whatever the name's length.
#include "pet/StatusLayout.h"
#include "TempGameFolder.h"
#include "XServer.h"
#include "growth/StateFactory.h"
#include "pet/Pet.h"
#include "presentation/Text.h"

#include <gtest/gtest.h>

TEST(StatusLayout, MetersStayBesideAShortNameAndClearOfTheTextAtEveryLengthThePromptAllows) {
    // Text is measured with its glyphs rasterised, which takes a display.
    struct Screen : XServer {
        Screen() { ::setenv("DISPLAY", name.c_str(), 1); }
    } screen;
    TempGameFolder game;
    paths::SetLayers({game.folder.string(), HATCHLING_GAME_DATA});
    StateFactory factory{"Settings\\StatePic.list", "Settings\\StateMove.list"};
    const float width = 480, height = 360; // the shipped window
    const auto meters = [&](const std::string& name) {
        facade::Text status(Pet("Default", name, nullptr, &factory).StatusText(), "fonts/Arial.ttf", 16);
        status.SetPosition(15, 55);
        return std::pair(status.GetBounds(), statuslayout::PlaceMeters(status.GetBounds(), width, height, 5));
    };
    EXPECT_EQ(meters("BOB").second[3], sf::FloatRect(255, 144, 205, 16)); // where they always stood

    for (int length = 1; length <= 32; ++length) { // the prompt takes 32 letters in this window
        const auto [text, rows] = meters(std::string(length, 'W')); // the widest capital
        ASSERT_GT(text.width, 150.0f) << "the font was not found";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_FALSE(rows[i].intersects(text) || (i > 0 && rows[i].intersects(rows[i - 1]))) << length;
            EXPECT_LE(rows[i].top + rows[i].height, height) << length;
        }
    }
    paths::SetLayers({});
}
