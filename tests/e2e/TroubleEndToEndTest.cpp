// A pet that dies, and pet files the game refuses, on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace e2e;

namespace {

#define REQUIRE_DISPLAY()                                                                                    \
    if (!GameProcess::HaveDisplay()) {                                                                       \
        GTEST_SKIP() << "no X display (run under xvfb-run)";                                                 \
    }

const std::string kBob = "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
// Starving, filthy and without health: its first life step kills it, whichever rule strikes first.
const std::string kSad = "SAD 1\nBaby Normal\n30.000000 500.000000 5 5 0 0 95 50 80 \n";

std::vector<std::string> RefusedLines(const std::string& err) {
    std::vector<std::string> refused;
    std::istringstream in(err);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("refused:", 0) == 0) {
            refused.push_back(line);
        }
    }
    return refused;
}

bool White(const Shot& shot) {
    return !shot.Empty() && shot.NonWhiteAll() == 0;
}

} // namespace

TEST(EndToEndDeath, AStarvingPetDiesLeavingAWhiteScreenItsFileAndTheOtherNames) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "ANN\nSAD\nBOB\nSAD\n");
    game.Write("Pets/SAD.data", kSad);
    game.Write("Pets/BOB.data", kBob);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    game.Keys({"m", "o", "Right", "Return"});
    const Shot alive = game.WaitForShot(PetDrawn);
    EXPECT_TRUE(PetDrawn(alive)) << "the pet was not drawn before it died";

    // The death notice is wider than the pet, so it reaches where the pet never draws.
    const Shot notice =
        game.WaitForShot([](const Shot& s) { return s.NonWhite(90, 150, 170, 210) > 20; }, 30.0);
    game.Keep(notice, "death-notice");
    EXPECT_GT(notice.NonWhite(90, 150, 170, 210), 20) << "no death notice";
    ASSERT_TRUE(WaitFor([&] { return game.Read("Settings/Pet.list") == "ANN\nBOB\n"; }, 30.0))
        << game.Read("Settings/Pet.list");
    const Shot white = game.WaitForShot(White, 10.0);
    game.Keep(white, "after-death");
    EXPECT_TRUE(White(white)) << "the screen should turn white after the death";
    // Nothing draws the dead pet again.
    WaitFor([] { return false; }, 1.0);
    EXPECT_TRUE(White(game.Capture()));
    EXPECT_EQ(game.Read("Pets/SAD.data"), kSad) << "the dead pet's file stays as it was";

    // The pet menu still opens, and its commands and saving do nothing without a pet.
    game.Key("p");
    const Shot petMenu = game.WaitForShot([](const Shot& s) { return s.NonWhiteAll() > 1000; });
    game.Keep(petMenu, "pet-menu");
    EXPECT_GT(petMenu.NonWhiteAll(), 1000) << "the pet menu did not open";
    game.Key("s");
    game.Keys({"p", "c", "m", "s"});
    EXPECT_TRUE(White(game.WaitForShot(White, 10.0)));
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Pets/SAD.data"), kSad);
    EXPECT_EQ(game.Read("Pets/BOB.data"), kBob);
    EXPECT_FALSE(game.Exists("Pets/ANN.data"));
    EXPECT_EQ(game.Read("Settings/Pet.list"), "ANN\nBOB\n");
}

TEST(EndToEndRefusal, UnusablePetFilesAndTemplateAreRefusedAndTheGameGoesOn) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const std::string list = "BOB\nODD\nTWO\n../BOB\n";
    const std::string odd = "ODD 0\nDragon Normal\n30.000000 500.000000 5 5 50 50 50 50 80 \n";
    const std::string two = "TWO 0\nBaby Normal\n";
    const std::string badTemplate = "Dragon\nNormal\n10.000000 120.000000 0 0 100 50 0 80 90 \n";
    game.Write("Settings/Pet.list", list);
    game.Write("Pets/BOB.data", kBob);
    game.Write("Pets/ODD.data", odd);
    game.Write("Pets/TWO.data", two);
    game.Write("Pets/Default.default", badTemplate);
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();

    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));

    struct Case {
        std::vector<const char*> keys;
        std::string names;
    };
    const std::vector<Case> cases = {
        {{"m", "o", "Right", "Return"}, "ODD.data"},
        {{"m", "o", "Right", "Right", "Return"}, "TWO.data"},
        {{"m", "o", "Left", "Return"}, "../BOB"},
        {{"m", "n", "n", "e", "w", "Return"}, "Default.default"},
    };
    std::size_t expected = 0;
    for (const Case& refusal : cases) {
        SCOPED_TRACE(refusal.names);
        for (const char* key : refusal.keys) {
            game.Key(key);
        }
        ++expected;
        ASSERT_TRUE(WaitFor([&] { return RefusedLines(game.Err()).size() >= expected; }, kActionSeconds))
            << game.Err();
        const std::string line = RefusedLines(game.Err()).back();
        EXPECT_NE(line.find(refusal.names), std::string::npos) << line;
        const Shot balloon =
            game.WaitForShot([](const Shot& s) { return s.Dark(0, 0, 480, 360) > 100; }, 5.0);
        game.Keep(balloon, "refused-" + std::to_string(expected));
        // The current pet comes back and keeps living.
        EXPECT_TRUE(PetDrawn(game.WaitForShot(PetDrawn))) << "the current pet did not come back";
    }
    EXPECT_EQ(RefusedLines(game.Err()).size(), cases.size()) << game.Err();

    // Nothing was rewritten, nothing created, and the current pet is still BOB.
    EXPECT_EQ(game.Read("Settings/Pet.list"), list);
    EXPECT_EQ(game.Read("Pets/ODD.data"), odd);
    EXPECT_EQ(game.Read("Pets/TWO.data"), two);
    EXPECT_EQ(game.Read("Pets/Default.default"), badTemplate);
    EXPECT_FALSE(game.Exists("Pets/NEW.data"));
    game.Remove("Pets/BOB.data");
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    const std::string saved = game.Read("Pets/BOB.data");
    EXPECT_EQ(saved.substr(0, 18), "BOB 0\nBaby Normal\n") << saved;
}
