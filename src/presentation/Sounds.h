#pragma once

#include "support/Happenings.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

// The game's sounds: every moment announced through the happenings that has a sound plays it,
// from "sounds\NAME.wav" (the player's own file first, like every shipped file).
//
// Nothing here waits in the game's loop: loading, opening the audio device and playing happen on
// a helper thread that exists only while there is something to hear. When no sound has played
// for kIdleSeconds it lets go of every sound and buffer, so that OpenAL closes the device and
// ends its mixing thread, and then ends itself: an idle game holds no audio at all. Without a
// usable device the game stays silent and says so once on standard error.
class Sounds {
public:
    // The line in the player's preferences: "sound on" or "sound off".
    static constexpr const char* kPreference = "sound";
    static constexpr double kIdleSeconds = 3.0;
    // More at once than this and the oldest is cut short.
    static constexpr std::size_t kVoices = 4;

    // The sound a happening makes, or "" for none.
    static std::string For(const happenings::Happening& happening);
    // Every sound For names.
    static std::vector<std::string> Names();
    static std::string GamePath(const std::string& name) { return "sounds\\" + name + ".wav"; }

    // How long letting go waits for the helper, which may be inside a slow audio system.
    static constexpr double kFarewellSeconds = 5.0;

    // Sets what the audio library reads from the environment. Called first thing in main, before
    // any thread exists: changing the environment is not safe beside threads that read it.
    static void PrepareEnvironment();

    // Listens to the happenings from now on; `on` is the player's choice.
    explicit Sounds(bool on);
    // Stops what plays and lets go of the audio library (see Stop).
    ~Sounds();
    Sounds(const Sounds&) = delete;
    Sounds& operator=(const Sounds&) = delete;

    // Starts the sound and returns at once; nothing when sound is off.
    void Play(const std::string& name);
    // Off also stops what plays and lets go of the device at once.
    void SetOn(bool on);
    bool IsOn() const;
    // Stops what plays and waits for the helper to let go of the device and end, at most
    // kFarewellSeconds; false when it is still inside the audio system then, so that the game
    // leaves without running the library's own teardown under it.
    bool Stop();

private:
    // What the game and the helper thread share. The helper keeps it alive too, so that a helper
    // stuck in a hung audio system can be left behind when the game ends.
    struct Shared;

    std::shared_ptr<Shared> shared;
    std::thread helper;
    // Last, so that it goes first and no happening arrives while the rest is torn down.
    happenings::Subscription listening;
};
