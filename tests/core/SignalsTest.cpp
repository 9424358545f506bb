#include "core/Signals.h"
#include "support/FileError.h"
#include "support/Seams.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(Signals, TextFormKeepsTheClassThroughABase) {
    auto text = [](const Exception& signal) {
        std::ostringstream out;
        out << signal;
        return out.str();
    };
    EXPECT_EQ(text(Die()), "Die");
    try {
        throw BodyStateChanged("Sleep");
    } catch (const Exception& caught) {
        EXPECT_EQ(text(caught), "BodyStateChanged: Sleep");
    }
}

TEST(FileErrors, RefusalLineNamesPathAndLine) {
    EXPECT_EQ(DescribeRefusal("Settings\\Pet.list", 0, "cannot be read"),
              "\"Settings\\Pet.list\": cannot be read");
    const FileError error("Pets\\Tom.data", 3, "short line");
    testing::internal::CaptureStderr();
    ReportRefusal(error);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "refused: \"Pets\\Tom.data\" line 3: short line\n");
}

TEST(Seams, ChanceReseedsFromTheClockAndDrawsWithinRange) {
    FixedClock clock(1234567);
    ScriptedRandom random{17, 17};
    chance::Reseed();
    EXPECT_EQ(random.seeds, std::vector<unsigned>{1234567u});
    EXPECT_EQ(chance::R(5), 2);
    EXPECT_EQ(chance::R(0), 0); // taken as R(1), still one draw
    EXPECT_EQ(random.log, "SDD");
    EXPECT_EQ(paths::Map("Settings\\Food.list"), "Settings/Food.list");
}
