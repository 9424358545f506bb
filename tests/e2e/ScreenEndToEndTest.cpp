// Where the windows open and at what scale, how they look larger, and a display that is missing
// or goes away, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <sstream>

using namespace e2e;

namespace {
void StartWithPet(GameProcess& game, const std::string& arguments = "") {
    game.Write("Settings/Pet.list", "PIP\n");
    game.Write("Pets/PIP.data", "PIP 0\nBaby Normal\n30.000000 500.000000 0 0 100 30 0 50 90 \n");
    game.Start(arguments);
    game.Keys({"m", "o", "Return"});
}
} // namespace

// The desktop's density (Xft.dpi 192 everywhere) asks for x2; a saved scale beats it, --scale
// beats both and is not saved, a bad line is refused, and no scale is larger than fits.
TEST(EndToEndScreen, BothWindowsOpenCentredAndWhollyOnScreenAtTheScaleChosenAsFarAsItFits) {
    REQUIRE_DISPLAY();
    for (const auto& [width, height, manager, arguments, saved, scale] :
         {std::tuple{1366, 768, true, "", "", 1},
          {1920, 1080, true, "", "", 2},
          {1366, 768, false, "", "", 1},
          {1920, 1080, false, "", "scale 1\n", 1},
          {1920, 1080, false, "--scale 2", "scale 1\n", 2},
          {1920, 1080, false, "--scale 1", "scale 2\n", 1},
          {1024, 768, false, "", "scale 2x\n", 1}}) {
        GameProcess game(std::to_string(width) + "x" + std::to_string(height) + "x24");
        game.Write("dpi", "Xft.dpi: 192\n");
        game.Write("Settings/Preferences.data", saved);
        game.Tool("xrdb -merge dpi" +
                  (manager ? "; DISPLAY=" + game.Name() + " openbox >/dev/null 2>&1 &" : ""));
        const std::string managed = "xprop -root _NET_SUPPORTING_WM_CHECK | grep -c 'window id'";
        ASSERT_TRUE(WaitFor([&] { return !manager || game.Tool(managed) == "1\n"; }));
        StartWithPet(game, arguments);
        game.Keys({"p", "g", "Return"});
        unsigned long ttt = 0;
        ASSERT_TRUE(WaitFor([&] { return (ttt = game.FindWindow("TTT")) != 0; }));
        for (const auto& [window, side] : {std::pair{game.Main(), 480 * scale}, {ttt, 240 * scale}}) {
            int x = 0, y = 0, w = 0, h = 0;
            const std::string box = " | awk '/Absolute|Width:|Height:/ {print $NF}'";
            EXPECT_TRUE(WaitFor([&] {
                std::istringstream(game.Tool("xwininfo -id " + std::to_string(window) + box)) >> x >> y >>
                    w >> h;
                return w == side && x >= 0 && y >= 0 && x + w <= width && y + h <= height &&
                       std::abs(x + w / 2 - width / 2) <= 2;
            })) << width
                << " " << arguments << saved << ": " << w << "x" << h << " at " << x << "," << y;
        }
        EXPECT_EQ(game.Read("Settings/Preferences.data"), saved);
        EXPECT_EQ(game.Refused().size(), std::string(saved).ends_with("x\n") ? 1u : 0u) << game.Err();
    }
}

TEST(EndToEndScreen, PlusMakesX2WherePicturesAreExactBlocksTextIsSharpAndClicksWork) {
    REQUIRE_DISPLAY();
    GameProcess game("1920x1080x24");
    StartWithPet(game);
    const Shot one = game.WaitForShot(PetDrawn);
    ASSERT_TRUE(one.width == 480 && PetDrawn(one));
    game.Keys({"plus"});
    // Pixels in the x2 shot's rows [from, to) that are not the x1 shot's pixel there.
    const auto at1 = [&](unsigned i) { return one.rgb[(i / 960 / 2) * 480 + i % 960 / 2]; };
    const auto changed = [&](const Shot& s, unsigned from, unsigned to) {
        int count = s.width == 960 && s.height == 720 ? 0 : 1;
        for (unsigned i = from * 960; count == 0 && i < to * 960; ++i) {
            count += s.rgb[i] != at1(i);
        }
        return count;
    };
    // The pet's band: the x1 one in 2 x 2 blocks (once the bobbing pet stands as it did).
    const Shot two = game.WaitForShot([&](const Shot& s) { return changed(s, 120, 600) == 0; });
    ASSERT_EQ(changed(two, 120, 600), 0) << "the x2 pet is not the x1 pet in 2 x 2 blocks";
    EXPECT_EQ(game.Read("Settings/Preferences.data"), "scale 2\n");
    // The grey hint line: neither the x1 letters enlarged as blocks nor blurred (a blur leaves few
    // pixels as dark as the text colour itself).
    int differ = 0, ink1 = 0, ink2 = 0;
    for (unsigned i = 640 * 960; i < 720 * 960; ++i) {
        differ += two.rgb[i] != at1(i);
        ink2 += (two.rgb[i] & 0xFF) <= 158;
        ink1 += (at1(i) & 0xFF) <= 158 && i % 2 == 0 && i / 960 % 2 == 0;
    }
    EXPECT_TRUE(differ > 200 && ink1 > 20 && ink2 > 3 * ink1)
        << differ << " changed, dark " << ink1 << ", " << ink2;
    // A click on the menu's "Save" line, in the window's own pixels, saves.
    game.Write("Pets/PIP.data", "");
    game.Keys({"m"});
    game.Click(100, 124);
    EXPECT_TRUE(WaitFor([&] { return !game.Read("Pets/PIP.data").empty(); })) << "the click missed";
}

TEST(EndToEndScreen, AVanishedDisplayEndsTheGameWithOneLineAndTheFedPetSaved) {
    REQUIRE_DISPLAY();
    GameProcess game;
    StartWithPet(game);
    game.Keys({"p", "f", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
    game.Kill();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
    EXPECT_TRUE(
        game.Err().ends_with("hatchling: the display \"" + game.Name() + "\" went away; PIP is saved\n"))
        << game.Err();
    // Its fullness follows its health of 100; it was 30 before the feed.
    const std::string saved = game.Read("Pets/PIP.data");
    EXPECT_GE(std::atoi(saved.substr(saved.find(" 100 ") + 5).c_str()), 45) << saved;
}

TEST(EndToEndScreen, WithoutADisplayOneLineAndStatus1BeforeAnyFolderIsMade) {
    TempGameFolder home;
    const int status = std::system("DISPLAY=:65000 XDG_DATA_HOME=$PWD/xdg " HATCHLING_BINARY " 2>err");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(home.Read("err"),
              "hatchling: cannot open the display \":65000\"; the game needs a graphical session\n");
    EXPECT_FALSE(home.Exists("xdg") || home.Exists("core"));
}
