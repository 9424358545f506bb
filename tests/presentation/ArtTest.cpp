// Checks the rendered pictures in the built data folder against the frame table.
#include "growth/StateFactory.h"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
const std::string kData = HATCHLING_GAME_DATA;

bool samePixels(const sf::Image& a, const sf::Image& b) {
    const auto size = a.getSize();
    return size == b.getSize() &&
           std::equal(a.getPixelsPtr(), a.getPixelsPtr() + 4 * size.x * size.y, b.getPixelsPtr());
}
} // namespace

TEST(Art, EveryStageAndBodyHasItsDeclaredFramesAndConsecutiveFramesDiffer) {
    // Read with the game's own reader of the table.
    StateFactory::Table frames = StateFactory::ReadTable(kData + "/Settings/StatePic.list");
    for (const char* stage : {"Egg", "SmallBaby", "Baby", "BigBaby", "SmallChick", "SmallCock", "Chicken",
                              "Cock", "BigCock", "Flower"}) {
        for (const char* body : {"Normal", "Smile", "Bored", "Sick", "Sleep"}) {
            const int count = frames[stage][body];
            EXPECT_GE(count, 1) << stage << " " << body;
            std::vector<sf::Image> pictures(count);
            for (int f = 0; f < count; ++f) {
                const std::string name = std::string(stage) + "_" + body + std::to_string(f) + ".png";
                EXPECT_TRUE(pictures[f].loadFromFile(kData + "/imgs/" + name)) << name;
                if (f > 0) {
                    EXPECT_FALSE(samePixels(pictures[f - 1], pictures[f])) << name << " repeats its frame";
                }
            }
        }
    }
}
