#include "support/Preferences.h"
#include "support/Happenings.h"

#include "pet/PetFixture.h"

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
    EXPECT_EQ(heard, "1Milk2Milk2Cake");
}
