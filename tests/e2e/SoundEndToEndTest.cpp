// The real game's sounds, recorded by OpenAL Soft's wave backend: the file exists while the game
// holds the audio device, grows as it plays, gets its length in its header when the device closes
// and is rewritten each time the device opens again.
#include "e2e/GameProcess.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {
// Whether any sample in the recording's first second (44100 stereo 16-bit frames) is clearly
// above silence.
bool HeardWithinASecond(const std::string& recording) {
    // 16-bit samples, as al.conf asks for (the format's bits sit at byte 34).
    if (recording.size() < 36 || recording[34] != 16 || recording.find("data") == std::string::npos) {
        return false;
    }
    const std::size_t data = recording.find("data") + 8;
    for (std::size_t at = data; at + 1 < recording.size() && at < data + 4 * 44100; at += 2) {
        const int sample = static_cast<std::int16_t>(std::uint8_t(recording[at]) | recording[at + 1] << 8);
        if (sample > 300 || sample < -300) {
            return true;
        }
    }
    return false;
}

// Whether the device has closed the recording: its RIFF length (bytes 4 to 7, little-endian),
// 0xFFFFFFFF while it is open, then counts the bytes after it.
bool Closed(const std::string& r) {
    return r.size() >= 8 && (std::uint8_t(r[4]) | std::uint8_t(r[5]) << 8 | std::uint8_t(r[6]) << 16 |
                             std::uint32_t(std::uint8_t(r[7])) << 24) == r.size() - 8;
}

// Feeds the first food and saves: once the pet's file is back, the feeding is over.
void FeedAndSave(GameProcess& game) {
    game.Write("Pets/BOB.data", "");
    game.Keys({"p", "f", "Return", "m", "s"});
    ASSERT_TRUE(WaitFor([&] { return !game.Read("Pets/BOB.data").empty(); }));
}

void StartWith(GameProcess& game, const std::string& drivers) {
    game.Write("al.conf", "[general]\ndrivers=" + drivers +
                              "\nsample-type=int16\n[wave]\nfile=" + (game.folder / "rec.wav").string());
    game.Start();
    ASSERT_NE(game.Main(), 0u) << game.Err();
    game.Keys({"m", "o", "Return"});
    ASSERT_TRUE(PetDrawn(game.WaitForShot(PetDrawn)));
}
} // namespace

TEST(EndToEndSound, FeedingIsHeardVSilencesItForGoodAndAQuietGameLetsGoOfTheDevice) {
    REQUIRE_DISPLAY();
    GameProcess game;
    // A well-kept baby that neither grows nor needs anything for a while: only feeding sounds.
    game.Write("Settings/Pet.list", "BOB\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 90 50 10 50 80 \n");
    // A value the game cannot use is refused, and sound stays on.
    game.Write("Settings/Preferences.data", "scale 2\nsound loud\n");
    StartWith(game, "wave");
    EXPECT_EQ(game.Refused().size(), 1u) << game.Err();
    EXPECT_FALSE(game.Exists("rec.wav")) << "the device was opened with nothing to play";

    game.Keys({"p", "f", "Return"});
    EXPECT_TRUE(WaitFor([&] { return HeardWithinASecond(game.Read("rec.wav")); })) << "feeding was not heard";
    // Quiet for three seconds: the device closes and the recording ends.
    EXPECT_TRUE(WaitFor([&] { return Closed(game.Read("rec.wav")); })) << "the audio device stays open";

    game.Keys({"v"});
    ASSERT_TRUE(WaitFor([&] { return game.Read("Settings/Preferences.data") == "scale 2\nsound off\n"; }))
        << game.Read("Settings/Preferences.data");
    std::filesystem::remove(game.folder / "rec.wav");
    FeedAndSave(game);
    EXPECT_FALSE(game.Exists("rec.wav")) << "heard with sound off";

    // The next start keeps the choice; v turns sound on again.
    game.Close();
    ASSERT_EQ(game.WaitForExit(), 0);
    StartWith(game, "wave");
    FeedAndSave(game);
    EXPECT_FALSE(game.Exists("rec.wav")) << "heard after starting with sound off";
    game.Keys({"v", "p", "f", "Return"});
    EXPECT_TRUE(WaitFor([&] { return HeardWithinASecond(game.Read("rec.wav")); }))
        << "v did not turn sound on";
    EXPECT_NE(game.Read("Settings/Preferences.data").find("sound on"), std::string::npos);
}

TEST(EndToEndSound, WithoutAnAudioDeviceTheGamePlaysOnSilentlyAndSaysSoOnce) {
    REQUIRE_DISPLAY();
    GameProcess game;
    game.Write("Settings/Pet.list", "BOB\n");
    game.Write("Pets/BOB.data", "BOB 0\nBaby Normal\n30.000000 500.000000 5 5 90 30 10 50 80 \n");
    StartWith(game, "none");
    FeedAndSave(game);
    // The device is looked for off the game's loop, so the line may come after the save.
    EXPECT_TRUE(WaitFor([&] { return game.Err().find("sound:") != std::string::npos; })) << game.Err();
    FeedAndSave(game);
    game.Keys({"m", "q"});
    EXPECT_EQ(game.WaitForExit(), std::optional<int>(0));
    const std::string err = game.Err(); // all the game said
    EXPECT_EQ(err.find("sound:"), err.rfind("sound:")) << err;
    EXPECT_EQ(err.find("AL lib"), std::string::npos) << err;
}
