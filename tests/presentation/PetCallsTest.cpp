// What the pet's desktop notification says and when, with the clock and the focus scripted.
#include "presentation/PetCalls.h"
#include "support/Seams.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(PetCalls, OneNoticeNamesEveryNeedFollowsThemRemindsOnceAndADeathLastsWhileTheWindowIsBehindOthers) {
    std::time_t now = 1000;
    const wallclock::Source previous = wallclock::SetSource([&] { return now; });
    bool focused = false;
    std::vector<std::string> posted; // a withdrawal is "-"
    PetCalls calls(
        [&](const std::optional<PetCalls::Notice>& n) {
            posted.push_back(!n ? "-"
                                : n->summary + " / " + n->body + (n->anew ? " (anew)" : "") +
                                      (n->lasting ? " (lasting)" : ""));
        },
        [&] { return focused; });
    using happenings::Kind;
    const auto hear = [&](Kind kind, const std::string& detail = "") { calls.Hear({kind, detail}); };
    hear(Kind::Opened, "PIP");
    for (const char* need : {"sick", "hungry", "dirty"}) {
        hear(Kind::NeedBegan, need); // in one life step: one notice
    }
    calls.Tick();
    now += 119;
    hear(Kind::NeedEnded, "hungry");
    calls.Tick();
    now += 1;
    for (int pass = 0; pass < 3; ++pass, now += 600) {
        calls.Tick();
    }
    EXPECT_EQ(posted, (std::vector<std::string>{"-", "PIP is hungry, dirty and sick / Feed it: p, then f",
                                                "PIP is dirty and sick / Clean it: p, then c",
                                                "PIP is dirty and sick / Clean it: p, then c (anew)"}));
    // Seen in the window: withdrawn, and nothing comes while the player looks, not even a death;
    // behind others, a death replaces everything and says why.
    posted.clear();
    focused = true;
    hear(Kind::FocusGained);
    hear(Kind::NeedBegan, "hungry");
    calls.Tick();
    hear(Kind::Died, "Die From Starving!");
    focused = false;
    hear(Kind::Opened, "REX");
    hear(Kind::Died, "Die From Starving!");
    calls.Tick();
    EXPECT_EQ(posted,
              (std::vector<std::string>{"-", "-", "-", "REX has died / Die From Starving! (lasting)"}));
    wallclock::SetSource(previous);
}
