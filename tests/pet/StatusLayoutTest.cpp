// The status view's meters never cover its text, whatever the name's length.
#include "pet/StatusLayout.h"
#include "PetFixture.h"
#include "XServer.h"
#include "pet/Pet.h"
#include "presentation/EventDispatcher.h"
#include "presentation/StateFactory.h"
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

    const int longest = facade::InputReader(static_cast<int>(width)).GetMaxLength();
    for (const std::string& name :
         {std::string(longest, 'W'), std::string(longest, 'M'), std::string(20, 'W')}) {
        const auto [text, rows] = meters(name);
        ASSERT_GT(text.width, 300.0f) << "the font was not found";
        for (std::size_t i = 0; i < rows.size(); ++i) {
            EXPECT_FALSE(rows[i].intersects(text)) << name << " meter " << i;
            EXPECT_TRUE(rows[i].left >= 0 && rows[i].left + rows[i].width <= width &&
                        rows[i].top + rows[i].height <= height)
                << name << " meter " << i << " leaves the window";
            for (std::size_t j = 0; j < i; ++j) {
                EXPECT_FALSE(rows[i].intersects(rows[j])) << name << " meters " << j << " and " << i;
            }
        }
    }
    paths::SetLayers({});
}
