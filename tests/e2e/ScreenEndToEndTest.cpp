// Where the windows open, how they look at a larger scale, and a display that is missing or goes
// away, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <sstream>

using namespace e2e;

namespace {
const std::string kPip = "PIP 0\nBaby Normal\n30.000000 500.000000 0 0 100 30 0 50 90 \n";

void StartWithPet(GameProcess& game, const std::vector<std::string>& arguments = {}) {
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", kPip);
    game.Start(arguments);
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"m", "o", "Return"});
}

// The window's client area on the screen: x, y, width, height.
std::vector<int> Where(const GameProcess& game, unsigned long window) {
    std::istringstream info(game.Tool("xwininfo -id " + std::to_string(window)));
    std::vector<int> box;
    for (std::string line; std::getline(info, line);) {
        if (line.find("Absolute upper-left") != std::string::npos || line.find("  Width:") == 0 ||
            line.find("  Height:") == 0) {
            box.push_back(std::stoi(line.substr(line.rfind(' '))));
        }
    }
    return box;
}

// The non-white part of the pet's area (away from the need marks and the hint line), as the
// corner and size of its box followed by its pixels.
std::vector<std::uint32_t> PetCrop(const Shot& s, unsigned scale) {
    unsigned x0 = s.width, y0 = s.height, x1 = 0, y1 = 0;
    for (unsigned y = 60 * scale; y < 300 * scale && y < s.height; ++y) {
        for (unsigned x = 60 * scale; x < 420 * scale && x < s.width; ++x) {
            if (s.rgb[y * s.width + x] != 0xFFFFFFu) {
                x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1),
                y1 = std::max(y1, y + 1);
            }
        }
    }
    std::vector<std::uint32_t> crop{x1 - x0, y1 - y0};
    for (unsigned y = y0; y < y1; ++y) {
        crop.insert(crop.end(), s.rgb.begin() + y * s.width + x0, s.rgb.begin() + y * s.width + x1);
    }
    return crop;
}

// Each pixel of the x1 crop as a 2 x 2 block.
std::vector<std::uint32_t> Doubled(const std::vector<std::uint32_t>& crop) {
    std::vector<std::uint32_t> big{2 * crop[0], 2 * crop[1]};
    for (unsigned y = 0; y < big[1] && crop[0] > 0; ++y) {
        for (unsigned x = 0; x < big[0]; ++x) {
            big.push_back(crop[2 + (y / 2) * crop[0] + x / 2]);
        }
    }
    return big;
}

bool Sized(const Shot& s, unsigned width, unsigned height) {
    return s.width == width && s.height == height;
}
} // namespace

TEST(EndToEndScreen, BothWindowsOpenCentredAndWhollyOnCommonScreensUnderOpenboxAndWithoutAWindowManager) {
    REQUIRE_DISPLAY();
    for (const auto& [width, height, manager] :
         {std::tuple{1366, 768, true}, {1920, 1080, true}, {1366, 768, false}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height) + (manager ? " openbox" : ""));
        GameProcess game(std::to_string(width) + "x" + std::to_string(height) + "x24");
        if (manager) {
            game.Tool("openbox >/dev/null 2>&1 &");
            ASSERT_TRUE(WaitFor([&] {
                return game.Tool("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
                       std::string::npos;
            }));
        }
        StartWithPet(game);
        game.Keys({"p", "g", "Return"});
        unsigned long ttt = 0;
        ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; }));
        for (const unsigned long window : {game.Main(), ttt}) {
            const auto placed = [&] {
                const std::vector<int> b = Where(game, window);
                return b.size() == 4 && b[0] >= 0 && b[1] >= 0 && b[0] + b[2] <= width &&
                       b[1] + b[3] <= height && std::abs(b[0] + b[2] / 2 - width / 2) <= 2;
            };
            EXPECT_TRUE(WaitFor(placed, 5.0)) << "not centred and wholly on screen: "
                                              << game.Tool("xwininfo -id " + std::to_string(window));
        }
    }
}

TEST(EndToEndScreen, AtX2PicturesAreExactBlocksTextIsSharpClicksWorkAndTheSizeIsKept) {
    REQUIRE_DISPLAY();
    GameProcess game("1920x1080x24");
    StartWithPet(game, {"--scale", "2"});
    EXPECT_TRUE(Sized(game.Capture(), 960, 720));
    game.Keys({"minus"});
    const Shot one = game.WaitForShot([](const Shot& s) { return Sized(s, 480, 360) && PetDrawn(s); });
    ASSERT_TRUE(PetDrawn(one)) << "no x1 pet after -";
    EXPECT_EQ(game.Read("Settings/Preferences.data"), "scale 1\n");
    game.Keys({"plus"});
    const auto same = [&](const Shot& s) {
        return Sized(s, 960, 720) && PetCrop(s, 2) == Doubled(PetCrop(one, 1));
    };
    const Shot two = game.WaitForShot(same);
    EXPECT_TRUE(same(two)) << "the x2 pet is not the x1 pet in 2 x 2 blocks";
    EXPECT_EQ(game.Read("Settings/Preferences.data"), "scale 2\n");
    // The hint line at x2: not the x1 letters enlarged as blocks, nor blurred (a blur leaves few
    // pixels as dark as the grey text colour itself).
    int differ = 0, ink1 = 0, ink2 = 0;
    const auto ink = [](std::uint32_t p) {
        return (p >> 16 & 0xFF) <= 158 && (p >> 8 & 0xFF) <= 158 && (p & 0xFF) <= 158;
    };
    for (unsigned y = 640; y < 720 && !two.rgb.empty(); ++y) {
        for (unsigned x = 0; x < 400; ++x) {
            const std::uint32_t big = two.rgb[y * 960 + x], small = one.rgb[(y / 2) * 480 + x / 2];
            differ += big != small ? 1 : 0;
            ink2 += ink(big) ? 1 : 0;
            ink1 += ink(small) && x % 2 == 0 && y % 2 == 0 ? 1 : 0;
        }
    }
    EXPECT_GT(differ, 200) << "the text is the x1 text enlarged";
    EXPECT_TRUE(ink1 > 20 && ink2 > 3 * ink1)
        << "blurred text: " << ink1 << " dark pixels at x1, " << ink2 << " at x2";

    // A click on the menu's "Save" line, in the window's own pixels, saves.
    game.Write("Pets/PIP.data", "");
    game.Keys({"m"});
    game.Click(100, 124);
    EXPECT_TRUE(WaitFor([&] { return game.Read("Pets/PIP.data").rfind("PIP ", 0) == 0; }))
        << "the click missed";

    // The next start keeps x2; --scale beats it and is not saved; a bad line is refused.
    for (const auto& [arguments, preferences, width] :
         {std::tuple{std::vector<std::string>{}, "scale 2\n", 960u},
          {{"--scale", "1"}, "scale 2\n", 480u},
          {{}, "volume 3\nscale 2x\n", 480u}}) {
        game.Close();
        EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
        game.Write("Settings/Preferences.data", preferences);
        game.Start(arguments);
        EXPECT_TRUE(
            Sized(game.WaitForShot([&](const Shot& s) { return s.width == width; }), width, width * 3 / 4));
        EXPECT_EQ(game.Read("Settings/Preferences.data"), preferences);
    }
    ASSERT_EQ(game.Refused().size(), 1u) << game.Err();
    EXPECT_EQ(game.Refused()[0], "refused: \"Settings\\Preferences.data\" line 2: scale must be a whole "
                                 "number from 1 to 4, not \"2x\"; "
                                 "ignored");
}

TEST(EndToEndScreen, TheDesktopsDensitySetsTheScaleButNeverLargerThanFitsTheScreen) {
    REQUIRE_DISPLAY();
    for (const auto& [screen, width] : {std::pair{"1920x1080x24", 960u}, {"1024x768x24", 480u}}) {
        GameProcess game(screen);
        game.Write("dpi", "Xft.dpi: 192\n");
        game.Tool("xrdb -merge " + (game.folder / "dpi").string());
        game.Start();
        EXPECT_TRUE(
            Sized(game.WaitForShot([&](const Shot& s) { return s.width == width; }), width, width * 3 / 4))
            << screen;
        game.Close();
        game.WaitForExit();
        game.Start({"--scale", "4"});
        EXPECT_TRUE(
            Sized(game.WaitForShot([&](const Shot& s) { return s.width == width; }), width, width * 3 / 4))
            << screen;
    }
}

TEST(EndToEndScreen, AVanishedDisplayEndsTheGameWithOneLineAndThePetSaved) {
    REQUIRE_DISPLAY();
    GameProcess game;
    StartWithPet(game);
    game.Keys({"p", "f", "Return"});
    // Fed: the balloon has come and gone.
    game.WaitForShot([](const Shot& s) { return s.Count(0, 0, 480, 360, true) > 100; }, 5.0);
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    game.Kill();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
    const std::string err = game.Err(),
                      line = "hatchling: the display \"" + game.Name() + "\" went away; PIP is saved\n";
    EXPECT_EQ(err.substr(err.size() - std::min(err.size(), line.size())), line) << err;
    // Fullness, the sixth statistic, was 30 before the feed.
    std::istringstream saved(game.Read("Pets/PIP.data"));
    std::string line3, fullness;
    std::getline(std::getline(std::getline(saved, line3), line3), line3);
    std::istringstream(line3) >> fullness >> fullness >> fullness >> fullness >> fullness >> fullness;
    EXPECT_GE(std::atoi(fullness.c_str()), 45) << game.Read("Pets/PIP.data");
}

TEST(EndToEndScreen, WithoutADisplayOneLineAndStatus1BeforeAnyFolderIsMade) {
    TempGameFolder home;
    for (const std::string display : {"", ":65000"}) {
        const int status =
            std::system(("DISPLAY=" + display + " XDG_DATA_HOME=" + (home.folder / "xdg").string() +
                         " " HATCHLING_BINARY " 2>err.txt")
                            .c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        EXPECT_EQ(
            home.Read("err.txt"),
            display.empty()
                ? "hatchling: no display is set (DISPLAY is empty); the game needs a graphical session\n"
                : "hatchling: cannot open the display \":65000\"; the game needs a graphical session\n");
    }
    EXPECT_FALSE(home.Exists("xdg") || home.Exists("core"));
}
