#include "core/Signals.h"
#include "core/FileError.h"
#include "core/Seams.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <type_traits>

namespace {
std::string TextOf(const Exception& signal) {
    std::ostringstream out;
    out << signal;
    return out.str();
}
} // namespace

TEST(Signals, NamesAndTextForm) {
    EXPECT_EQ(TextOf(Exception()), "Exception");
    EXPECT_EQ(TextOf(Die()), "Die");
    EXPECT_EQ(Die().GetMessage(), "");
    EXPECT_EQ(TextOf(Die("Die From Starving!")), "Die: Die From Starving!");
    EXPECT_EQ(TextOf(Exception("any text")), "Exception: any text");

    EXPECT_EQ(BodyStateChanged("Sleep").GetName(), "BodyStateChanged");
    EXPECT_EQ(GrowStateChanged("Baby").GetName(), "GrowStateChanged");
    EXPECT_EQ(InvalidOperation("x").GetName(), "InvalidOperation");
    EXPECT_EQ(InputFinished("Tom").GetName(), "InputFinished");
    EXPECT_EQ(TextOf(InterruptedException("Input mode interrupted.")),
              "InterruptedException: Input mode interrupted.");
}

TEST(Signals, KeepTheirClassWhenCaughtThroughABase) {
    try {
        throw BodyStateChanged("Sleep");
    } catch (const Exception& caught) {
        EXPECT_EQ(caught.GetName(), "BodyStateChanged");
        EXPECT_EQ(caught.GetMessage(), "Sleep");
        EXPECT_EQ(TextOf(caught), "BodyStateChanged: Sleep");
    }
    try {
        throw GrowStateChanged("Flower");
    } catch (const StateChanged& caught) {
        EXPECT_EQ(caught.GetName(), "GrowStateChanged");
    }
    // A copy carries the same class and payload.
    const InvalidOperation original("I'm clean Enough!");
    InvalidOperation copy = original;
    EXPECT_EQ(copy.GetMessage(), "I'm clean Enough!");
    EXPECT_FALSE((std::is_base_of_v<Exception, FileError>));
    EXPECT_TRUE(std::is_abstract_v<StateChanged>);
}

TEST(FileErrors, RefusalLineNamesPathAndLine) {
    EXPECT_EQ(DescribeRefusal("Settings\\Food.list", 4, "the wisdom field is missing"),
              "\"Settings\\Food.list\" line 4: the wisdom field is missing");
    EXPECT_EQ(DescribeRefusal("Settings\\Pet.list", 0, "cannot be read"),
              "\"Settings\\Pet.list\": cannot be read");
    const FileError error("Pets\\Tom.data", 3, "short line");
    EXPECT_STREQ(error.what(), "\"Pets\\Tom.data\" line 3: short line");
    testing::internal::CaptureStderr();
    ReportRefusal("Settings\\StatePic.list", 2, "bad");
    ReportRefusal(error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "refused: \"Settings\\StatePic.list\" line 2: bad\n"
                                                      "refused: \"Pets\\Tom.data\" line 3: short line\n");
}

TEST(Seams, ChanceClockSleepAndPaths) {
    FixedClock clock(1234567);
    ScriptedRandom random{17, 17, 17, 9};
    chance::Reseed();
    EXPECT_EQ(random.seeds, std::vector<unsigned>{1234567u});
    EXPECT_EQ(chance::R(5), 2);
    EXPECT_EQ(chance::R(0), 0); // taken as R(1), still one draw
    EXPECT_EQ(chance::R(-3), 0);
    EXPECT_EQ(chance::Draw(), 9);
    EXPECT_EQ(random.log, "SDDDD");

    RecordedSleeps sleeps;
    timing::Sleep(1.5);
    timing::Sleep(0.05);
    EXPECT_EQ(sleeps.waits, (std::vector<double>{1.5, 0.05}));

    EXPECT_EQ(paths::Map("Settings\\Food.list"), "Settings/Food.list");
    EXPECT_EQ(paths::Map("Pets\\Default.default"), "Pets/Default.default");
}
