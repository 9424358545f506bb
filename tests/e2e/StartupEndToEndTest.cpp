// Start-up and the two ways out, run on the real binary.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace e2e;

namespace {

#define REQUIRE_DISPLAY()                                                                                    \
    if (!GameProcess::HaveDisplay()) {                                                                       \
        GTEST_SKIP() << "no X display (run under xvfb-run)";                                                 \
    }

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> RefusedLines(const std::string& err) {
    std::vector<std::string> refused;
    for (const std::string& line : SplitLines(err)) {
        if (line.rfind("refused:", 0) == 0) {
            refused.push_back(line);
        }
    }
    return refused;
}

} // namespace

TEST(EndToEndStartup, PrintsStatesAndLoaderLinesShowsAWhiteWindowAndQuitsFromTheMenu) {
    REQUIRE_DISPLAY();
    GameProcess game;
    const std::string petList = game.Read("Settings/Pet.list");
    game.Start();
    ASSERT_NE(game.Main(), 0u) << "no window titled Hatchling\n" << game.Err();

    ASSERT_TRUE(game.WaitForOut("SmallCock\n"));
    const std::vector<std::string> expected = {"BigCock", "Normal", "Smile",     "Bored",      "Sick",
                                               "Sleep",   "Baby",   "BigBaby",   "Chicken",    "Cock",
                                               "Egg",     "Flower", "SmallBaby", "SmallChick", "SmallCock"};
    std::vector<std::string> out = SplitLines(game.Out());
    out.resize(std::min(out.size(), expected.size()));
    EXPECT_EQ(out, expected);

    const std::string err = game.Err();
    std::size_t at = 0;
    for (const char* line : {"> Pet list initialization success", "> Food list initialization success",
                             "> Game list initialization success", "> WindowApp initialization success"}) {
        const std::size_t found = err.find(line, at);
        EXPECT_NE(found, std::string::npos) << line << " missing or out of order in:\n" << err;
        at = found == std::string::npos ? at : found;
    }
    EXPECT_TRUE(RefusedLines(err).empty()) << err;

    const Shot shot = game.WaitForShot([](const Shot& s) { return s.NonWhiteAll() == 0; });
    game.Keep(shot, "startup");
    ASSERT_FALSE(shot.Empty());
    EXPECT_EQ(shot.width, 480u);
    EXPECT_EQ(shot.height, 360u);
    EXPECT_EQ(shot.NonWhiteAll(), 0) << "the window should be white with no pet";

    // The main menu shows over the window; Quit with no pet saves nothing.
    game.Key("m");
    const Shot menu = game.WaitForShot([](const Shot& s) { return s.NonWhiteAll() > 1000; });
    game.Keep(menu, "main-menu");
    EXPECT_GT(menu.NonWhiteAll(), 1000) << "the main menu was not drawn";
    game.Key("q");
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    EXPECT_EQ(game.Read("Settings/Pet.list"), petList);
    for (const auto& entry : std::filesystem::directory_iterator(game.Folder() / "Pets")) {
        EXPECT_NE(entry.path().extension(), ".data") << entry.path();
    }
    EXPECT_EQ(game.Out().find("Pause"), std::string::npos);
}

TEST(EndToEndStartup, UnusableWindowSettingsEndTheGameWithStatusOne) {
    REQUIRE_DISPLAY();
    for (const char* content : {static_cast<const char*>(nullptr), "480 360\n", ""}) {
        SCOPED_TRACE(content ? "content: \"" + std::string(content) + "\"" : std::string("missing file"));
        GameProcess game;
        if (content) {
            game.Write("Settings/WindowApp.data", content);
        } else {
            game.Remove("Settings/WindowApp.data");
        }
        game.Start();
        EXPECT_EQ(game.WaitForExit(), std::optional<int>(1));
        const std::vector<std::string> refused = RefusedLines(game.Err());
        ASSERT_EQ(refused.size(), 1u) << game.Err();
        EXPECT_NE(refused[0].find("WindowApp.data"), std::string::npos) << refused[0];
        EXPECT_EQ(game.FindWindow("Hatchling"), 0u);
    }
}
