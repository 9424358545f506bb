#include "support/Preferences.h"
#include "support/Happenings.h"

#include "TempGameFolder.h"

#include <gtest/gtest.h>

TEST(Preferences, KeepsUnknownLinesRefusesBadValuesAndReplacesOneLine) {
    TempGameFolder game;
    EXPECT_EQ(Preferences().Get("scale"), std::nullopt); // no file: every default
    game.Write("Settings/Preferences.data",
               "colour  deep blue \nscale 9\nsound maybe\nscale x2\nnotify off\n");
    testing::internal::CaptureStderr();
    Preferences read;
    EXPECT_EQ(read.GetNumber("scale", 1, 4), std::nullopt);
    EXPECT_EQ(read.GetSwitch("sound"), std::nullopt);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "refused: \"Settings\\Preferences.data\" line 4: scale must be a whole number from 1 to 4, not "
        "\"x2\"; ignored\n"
        "refused: \"Settings\\Preferences.data\" line 3: sound must be \"on\" or \"off\", not \"maybe\"; "
        "ignored\n");
    EXPECT_EQ(read.Get("colour"), "deep blue");
    EXPECT_EQ(read.GetSwitch("notify"), false);
    EXPECT_TRUE(read.Set("scale", "2"));
    EXPECT_TRUE(read.SetSwitch("sound", true));
    EXPECT_EQ(game.Read("Settings/Preferences.data"), "colour  deep blue \nscale 2\nsound on\nnotify off\n");
    EXPECT_EQ(Preferences().GetNumber("scale", 1, 4), 2);

    // A file that is there but cannot be read (a link to itself here; for a player, often a file
    // left by a game run as another user) is said once, and never replaced.
    std::filesystem::remove(game.folder / "Settings/Preferences.data");
    std::filesystem::create_symlink("Preferences.data", game.folder / "Settings/Preferences.data");
    testing::internal::CaptureStderr();
    Preferences unreadable;
    EXPECT_EQ(unreadable.Get("scale"), std::nullopt);
    EXPECT_FALSE(unreadable.Set("sound", "off"));
    EXPECT_FALSE(Preferences().Set("scale", "1"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "refused: \"Settings\\Preferences.data\": cannot be read: Too many levels of symbolic links; "
              "the defaults hold and the file is left as it is\n");
    EXPECT_TRUE(std::filesystem::is_symlink(game.folder / "Settings/Preferences.data"));
}

TEST(Happenings, ListenersHearInOrderUntilTheyLeave) {
    std::string heard;
    auto first = std::make_unique<happenings::Subscription>(
        [&](const happenings::Happening& h) { heard += "1" + h.detail; });
    happenings::Subscription second([&](const happenings::Happening& h) {
        heard += h.kind == happenings::Kind::Fed ? "2" + h.detail : "?";
    });
    happenings::Announce(happenings::Kind::Fed, "Milk");
    first.reset();
    happenings::Announce(happenings::Kind::Fed, "Cake");
    // One sent away by another listener during an announcement is not called again.
    std::unique_ptr<happenings::Subscription> later;
    happenings::Subscription sender([&](const happenings::Happening&) { later.reset(); });
    later = std::make_unique<happenings::Subscription>([&](const happenings::Happening&) { heard += "!"; });
    happenings::Announce(happenings::Kind::Fed, "Corn");
    EXPECT_EQ(heard, "1Milk2Milk2Cake2Corn");
}
