// The life view through the real binary: keys and clicks open it, turn its pages and leave it.
#include "e2e/GameProcess.h"
#include "pet/LifeRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace e2e;

namespace {
// The page marks in the bottom band, left to right, then "Esc: back": runs of ink further apart
// than the gaps inside a mark. Each is [begin, end).
std::vector<std::pair<unsigned, unsigned>> Marks(const Shot& s) {
    std::vector<std::pair<unsigned, unsigned>> runs;
    for (unsigned x = 0; x < s.width; ++x) {
        if (s.Count(x, s.height - 26, x + 1, s.height) == 0) {
            continue;
        }
        if (runs.empty() || x > runs.back().second + 12) {
            runs.push_back({x, x});
        }
        runs.back().second = x + 1;
    }
    return runs;
}

// The view shows the page-th of `pages` pages: that mark alone is dark.
bool OnPage(const Shot& s, std::size_t page, std::size_t pages = 3) {
    const auto marks = Marks(s);
    if (PetDrawn(s) || marks.size() != pages + 1) {
        return false;
    }
    for (std::size_t p = 0; p < pages; ++p) {
        const bool dark = s.Count(marks[p].first, s.height - 26, marks[p].second, s.height, true) > 10;
        if (dark != (p == page)) {
            return false;
        }
    }
    return true;
}

// A dirty baby: unfit, so it does not grow meanwhile.
constexpr const char* kDirtyBaby = "PIP 0\nBaby Normal\n30.000000 500.000000 5 5 80 50 50 50 80 \n";
} // namespace

TEST(EndToEndLifeView, KeysAndClicksOpenTheViewTurnItsPagesAndLeaveIt) {
    ASSERT_TRUE(XServer::Available()) << "no Xvfb to run the game on";
    GameProcess game;
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", kDirtyBaby);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    // With no pet l shows the remembered pets alone: none, in one line.
    game.Keys({"l"});
    const auto none = [](const Shot& s) { return OnPage(s, 0, 1) && s.Count(100, 160, 380, 190) > 100; };
    EXPECT_TRUE(none(game.WaitForShot(none))) << "l without a pet should show that none is remembered";
    game.Keys({"Escape", "m", "o", "Return"});
    const Shot home = game.WaitForShot(PetDrawn);
    ASSERT_TRUE(PetDrawn(home));

    game.Keys({"l"});
    const auto map = [](const Shot& s) { return OnPage(s, 0) && s.Count(40, 40, 480, 240) > 20000; };
    EXPECT_TRUE(map(game.WaitForShot(map))) << "l should open the growth map, its plot and regions";
    game.Keys({"Right"});
    EXPECT_TRUE(OnPage(game.WaitForShot([](const Shot& s) { return OnPage(s, 1); }), 1))
        << "Right: the chart";
    game.Keys({"Left"});
    EXPECT_TRUE(OnPage(game.WaitForShot([](const Shot& s) { return OnPage(s, 0); }), 0)) << "Left: the map";
    game.Keys({"Escape"});
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "Escape should bring the pet back";

    // The hint's last part is "l: life": a click on it opens the view, one on the other page's
    // mark turns to it, one on "Esc: back" (bottom right) leaves.
    unsigned end = 0;
    for (unsigned x = 0; x < 240; ++x) {
        end = home.Count(x, 336, x + 1, 360) > 0 ? x : end;
    }
    game.Click(int(end) - 8, 347);
    const Shot map0 = game.WaitForShot([](const Shot& s) { return OnPage(s, 0); });
    ASSERT_TRUE(OnPage(map0, 0)) << "no view from the hint";
    game.Click(int(Marks(map0)[1].first + Marks(map0)[1].second) / 2, 347);
    EXPECT_TRUE(OnPage(game.WaitForShot([](const Shot& s) { return OnPage(s, 1); }), 1))
        << "no turn from the mark";
    game.Click(450, 347);
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "Esc: back should bring the pet back";
    game.Keys({"l"});
    EXPECT_TRUE(OnPage(game.WaitForShot([](const Shot& s) { return OnPage(s, 0); }), 0)) << "l: the map";
    game.Keys({"l"});
    EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "l should leave the view too";
    EXPECT_TRUE(game.Refused().empty()) << game.Err();
}

// A 640 x 480 window: both pages lay themselves out over all of it, right to its edge and down
// to the page marks, not in the corner a 480 x 360 window would have.
TEST(EndToEndLifeView, BothPagesFillALargerWindow) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/WindowApp.data", "640 480 Hatchling imgs\\Icon.png\n");
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", kDirtyBaby);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    // The map: its regions beyond x 480 and its care plan below y 360.
    const auto map = [](const Shot& s) {
        return s.width == 640 && OnPage(s, 0) && s.Count(480, 48, 628, 330) > 15000 &&
               s.Count(0, 380, 640, 454, true) > 300;
    };
    game.Keys({"l"});
    EXPECT_TRUE(map(game.WaitForShot(map))) << "the growth map should fill the window";
    // The chart: its five strips reach x 628 and y 384, its legend sits under them.
    const auto chart = [](const Shot& s) {
        return s.width == 640 && OnPage(s, 1) && s.Count(480, 60, 628, 384) > 5 * 56 * 148 &&
               s.Count(66, 340, 628, 384) > 40 * 562 && s.Count(0, 420, 640, 450) > 300;
    };
    game.Keys({"Right"});
    EXPECT_TRUE(chart(game.WaitForShot(chart))) << "the life chart should fill the window";
}

// Without a pet, l shows the pets that died, newest first: three here, the middle one without a
// record. Each band of 62 pixels has the pet's picture at the left; those with a record have a
// strip of their health in the meters' colours at the right, the other a dash.
TEST(EndToEndLifeView, WithoutAPetLShowsTheRememberedPetsNewestFirst) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const std::string data = " 3\nSmallChick Normal\n40 700 0 0 80 50 10 50 80 \n";
    const auto record = [](const std::string& day, const std::string& cause) {
        std::string rows = std::string(liferecord::kHeader) + "\n";
        for (int row = 0; row < 20; ++row) {
            rows += "2026-12-" + day + "T10:" + std::to_string(10 + row) + ":00+01:00," +
                    std::to_string(12 * row) +
                    (row == 19  ? ",death"
                     : row == 0 ? ",new"
                                : ",live") +
                    ",SmallChick,Normal,40,700,50,30,80," + std::to_string(100 - 5 * row) + ",10,0,0," +
                    (row == 19 ? "\"" + cause + "\"" : "") + "\n";
        }
        return rows;
    };
    game.Write("Pets/Memories/REX 2026-12-01 10-29.data", "REX" + data);
    game.Write("Pets/Memories/REX 2026-12-01 10-29.life", record("01", "Die From Unhealthiness!"));
    game.Write("Pets/Memories/OLD 2026-12-03 07-15.data", "OLD" + data);
    game.Write("Pets/SAD.data", "SAD" + data);
    game.Write("Pets/SAD.life", record("05", "Die From Starving!"));
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"l"});
    const auto memorial = [](const Shot& s) {
        const auto top = [](unsigned band) { return 38 + 62 * band; };
        const auto strip = [&](unsigned band) {
            int coloured = 0;
            for (unsigned y = top(band) + 40; y < top(band) + 56; ++y) {
                for (unsigned x = 340; x < 468; ++x) {
                    const std::uint32_t p = s.rgb[y * s.width + x];
                    const int r = p >> 16, g = (p >> 8) & 0xFF, b = p & 0xFF;
                    coloured += std::max({r, g, b}) - std::min({r, g, b}) > 80 ? 1 : 0;
                }
            }
            return coloured;
        };
        return OnPage(s, 0, 1) && s.Count(18, top(0), 64, top(0) + 54) > 200 &&
               s.Count(18, top(1), 64, top(1) + 54) > 200 && s.Count(18, top(2), 64, top(2) + 54) > 200 &&
               s.Count(0, top(3), 480, top(3) + 54) == 0 && strip(0) > 300 && strip(1) == 0 && strip(2) > 300;
    };
    EXPECT_TRUE(memorial(game.WaitForShot(memorial))) << "no memorial of three, newest first";
    game.Keys({"Escape"});
    EXPECT_TRUE(White(game.WaitForShot(White))) << "Escape should bring the home screen back";
}

// A chicken with its record: the map shows its whole way over the plane of all stages, each
// region it grew through shaded in its stage's colour (the shade of 60 in 255 over white).
TEST(EndToEndLifeView, AFullyGrownPetsMapShowsTheRegionsItGrewThrough) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", "PIP 0\nChicken Normal\n80.000000 1000.000000 5 5 100 50 10 70 80 \n");
    std::string life =
        "time,steps,event,stage,body,height,weight,mood,full,energy,health,dirty,strength,wisdom,detail\n";
    for (const char* row :
         {"08:00:00+00:00,0,new,Egg,Normal,10,120", "08:00:30+00:00,6,grow,SmallBaby,Normal,10,120",
          "08:10:00+00:00,120,grow,Baby,Normal,21,560", "08:20:00+00:00,240,grow,SmallChick,Normal,38,660",
          "08:40:00+00:00,480,grow,Chicken,Normal,76,970"}) {
        life += std::string("2026-12-07T") + row + ",80,50,90,100,10,0,0,\n";
    }
    game.Write("Pets/PIP.life", life);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    const auto shade = [](const Shot& s, std::uint32_t colour) {
        int near = 0;
        for (std::uint32_t pixel : s.rgb) {
            int off = 0;
            for (int shift : {16, 8, 0}) {
                off = std::max(off, std::abs(int(pixel >> shift & 0xff) - int(colour >> shift & 0xff)));
            }
            near += off <= 1;
        }
        return near;
    };
    // Baby, Small Chick and Chicken.
    const auto journey = [&](const Shot& s) {
        return OnPage(s, 0) && shade(s, 0xd6e6f7) > 2000 && shade(s, 0xf8ecc8) > 2000 &&
               shade(s, 0xfae6c8) > 2000;
    };
    game.Keys({"l"});
    EXPECT_TRUE(journey(game.WaitForShot(journey)))
        << "the map should shade the regions the chicken grew through";
}
