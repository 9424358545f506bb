#include "support/FileError.h"
#include "support/Seams.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

// The form without a line number: the full-disk save and the short pet file.
TEST(Refusals, OneLineNamingPathAndLineWithControlCharactersEscaped) {
    // Text from a file could otherwise fake, hide or garble refusal lines.
    testing::internal::CaptureStderr();
    ReportRefusal(FileError("Pets\\A\tB.data", 2, "no game \"TTT\rrefused: x\x1b[2K\"\n"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "refused: \"Pets\\A\\x09B.data\" line 2: no game \"TTT\\x0Drefused: x\\x1B[2K\"\\x0A\n");
}

TEST(Seams, ChanceReseedsFromTheClockAndDrawsWithinRange) {
    const wallclock::Source previous = wallclock::SetSource([] { return std::time_t(1234567); });
    ScriptedRandom random{17};
    chance::Reseed();
    wallclock::SetSource(previous);
    EXPECT_EQ(chance::R(0), 0); // taken as R(1), still one draw (R(n) itself: the scheduler)
    EXPECT_EQ(std::tuple(random.seeds, random.log), std::tuple(std::vector<unsigned>{1234567u}, "SD"));
}
