// Naming a new pet, leaving the prompt, a name taken twice, and the close button, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

#define REQUIRE_DISPLAY()                                                                                    \
    if (!GameProcess::HaveDisplay()) {                                                                       \
        GTEST_SKIP() << "no X display (run under xvfb-run)";                                                 \
    }

const std::string kTemplateStatistics = "10.000000 120.000000 0 0 100 50 0 80 90 ";

bool White(const Shot& shot) {
    return !shot.Empty() && shot.NonWhiteAll() == 0;
}

} // namespace

TEST(EndToEndNewPet, TypedNameMakesAPetThatIsSavedListedAndDrawnAndTheCloseButtonSavesIt) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "OLD\n");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    game.Keys({"m", "n"});
    const Shot prompt = game.WaitForShot([](const Shot& s) { return s.Dark(10, 10, 240, 40) > 30; });
    game.Type("rex");
    const Shot typed = game.WaitForShot([](const Shot& s) { return s.Dark(50, 50, 200, 90) > 30; });
    game.Keep(typed, "name-prompt");
    EXPECT_GT(typed.Dark(50, 50, 200, 90), 30) << "the typed name is not shown";
    game.Key("Return");

    ASSERT_TRUE(WaitFor([&] { return game.Exists("Pets/REX.data"); }, kActionSeconds));
    const std::vector<std::string> lines = game.Lines("Pets/REX.data");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "REX 0");
    EXPECT_EQ(lines[1], "Egg Normal");
    EXPECT_EQ(lines[2], kTemplateStatistics);
    EXPECT_EQ(game.Read("Settings/Pet.list"), "OLD\nREX\n");

    const Shot pet = game.WaitForShot(PetDrawn);
    game.Keep(pet, "new-egg");
    EXPECT_TRUE(PetDrawn(pet)) << "no pet drawn in the middle";
    EXPECT_EQ(pet.NonWhite(0, 0, 480, 60), 0) << "the pet should stand in the middle, not at the top";

    // The window manager's close button saves the pet and ends the game.
    game.Remove("Pets/REX.data");
    game.Close();
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    const std::vector<std::string> saved = game.Lines("Pets/REX.data");
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0], "REX 0");
    EXPECT_EQ(game.Read("Settings/Pet.list"), "OLD\nREX\n");
}

TEST(EndToEndNewPet, EscapeLeavesThePromptAndATakenNameIsRefused) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "REX\n");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    // Escape: nothing written, nothing listed, and with no pet the window is white again.
    game.Keys({"m", "n"});
    game.Type("abc");
    const Shot prompt = game.WaitForShot([](const Shot& s) { return s.Dark(50, 50, 200, 90) > 30; });
    game.Key("Escape");
    EXPECT_EQ(game.WaitForShot(White, 5.0).NonWhiteAll(), 0) << "the prompt stayed on screen";

    // The open chooser, left with Escape, leaves no chooser behind either.
    game.Keys({"m", "o"});
    game.WaitForShot([](const Shot& s) { return s.Dark(180, 320, 300, 360) > 20; }, 5.0);
    game.Key("Escape");
    EXPECT_EQ(game.WaitForShot(White, 5.0).NonWhiteAll(), 0) << "the chooser stayed on screen";

    // The text typed before Escape is still there in the next prompt; rubbed out, then a name
    // already in the list, typed with a slip on the way.
    game.Keys({"m", "n"});
    const Shot leftover = game.WaitForShot([](const Shot& s) { return s.Dark(50, 50, 200, 90) > 30; }, 5.0);
    EXPECT_GT(leftover.Dark(50, 50, 200, 90), 30) << "the earlier text should show again";
    game.Keys({"BackSpace", "BackSpace", "BackSpace"});
    game.Type("rexx");
    game.Key("BackSpace");
    game.Key("Return");
    // The refusal stands where the prompt's question stood, alone.
    const auto differsFromPrompt = [&](const Shot& s) {
        int changed = 0;
        for (unsigned y = 5; y < 40; ++y) {
            for (unsigned x = 5; x < 260; ++x) {
                changed += s.At(x, y) != prompt.At(x, y) ? 1 : 0;
            }
        }
        return changed > 50 && s.Dark(10, 10, 260, 40) > 30 && s.NonWhite(40, 50, 440, 100) == 0;
    };
    const Shot refused = game.WaitForShot(differsFromPrompt, 5.0);
    game.Keep(refused, "name-taken");
    EXPECT_TRUE(differsFromPrompt(refused)) << "\"This name has existed!\" is not shown";
    EXPECT_EQ(game.WaitForShot(White, 10.0).NonWhiteAll(), 0) << "the refusal stayed on screen";

    // The game still answers: quitting ends it, and nothing was created meanwhile.
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Settings/Pet.list"), "REX\n");
    EXPECT_FALSE(game.Exists("Pets/ABC.data"));
    EXPECT_FALSE(game.Exists("Pets/REX.data"));
    EXPECT_FALSE(game.Exists("Pets/REXX.data"));
    EXPECT_EQ(game.Err().find("refused:"), std::string::npos) << game.Err();
}
