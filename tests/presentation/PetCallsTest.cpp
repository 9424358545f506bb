#include "presentation/PetCalls.h"
#include "support/Seams.h"

#include <gtest/gtest.h>

TEST(PetCalls, OneNoticeNamesEveryNeedFollowsThemRemindsOnceAndADeathLastsWhileTheWindowIsBehindOthers) {
    std::time_t now = 1000;
    const wallclock::Source previous = wallclock::SetSource([&] { return now; });
    bool focused = false;
    std::vector<std::string> posted; // a withdrawal is "-"
    PetCalls calls(
        [&](const auto& n) { posted.push_back(n ? n->summary + "/" + n->body + (n->anew ? "!" : "") : "-"); },
        [&] { return focused; });
    using happenings::Kind;
    for (const auto& [kind, detail, passes, seconds] :
         {std::tuple{Kind::Opened, "PIP", 0, 0},
          {Kind::NeedBegan, "sick", 0, 0},
          {Kind::NeedBegan, "hungry", 0, 0},
          {Kind::NeedBegan, "dirty", 1, 119}, // in one life step: one notice
          {Kind::NeedEnded, "hungry", 1, 1},  // the changed set replaces it
          {Kind::Lived, "", 2, 600},          // two minutes on: once more, as a new notice, and no more
          {Kind::FocusGained, "", 0, 0}}) {
        calls.Hear({kind, detail});
        for (int pass = 0; pass < passes; ++pass, now += seconds) {
            calls.Tick();
        }
    }
    focused = true; // nothing comes while the player looks, not even a death
    calls.Hear({Kind::NeedBegan, "hungry"});
    calls.Tick();
    calls.Hear({Kind::Died, "Die From Starving!"});
    focused = false;
    calls.Hear({Kind::Died, "Die From Starving!"});
    EXPECT_EQ(posted, (std::vector<std::string>{"-", "PIP is hungry, dirty and sick/Feed it: p, then f",
                                                "PIP is dirty and sick/Clean it: p, then c",
                                                "PIP is dirty and sick/Clean it: p, then c!", "-", "-",
                                                "PIP has died/Die From Starving!"}));
    wallclock::SetSource(previous);
}
