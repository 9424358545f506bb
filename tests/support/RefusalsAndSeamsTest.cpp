#include "support/EndRequest.h"
#include "support/FileError.h"
#include "support/Seams.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <unistd.h>

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

// Once the game is asked to end every wait returns at once, so a retry must give up rather than
// spin; and a reader of standard output that went away must not end the game.
TEST(Ending, ARetryGivesUpAtAnEndRequestAndAClosedOutputLosesOnlyItsLine) {
    RecordedSleeps sleeps;
    int tries = 0;
    EXPECT_TRUE(timing::Retry([&] { return ++tries == 3; }, 0.1));
    EXPECT_EQ(sleeps.waits, (std::vector<double>{0.1, 0.1}));
    ending::Request();
    tries = 0;
    EXPECT_FALSE(timing::Retry([&] { return ++tries > 1000; }, 0.1));
    ending::Clear();
    EXPECT_EQ(tries, 1);

    ending::InstallHandlers();
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    ::close(ends[0]);
    EXPECT_EQ(::write(ends[1], "trace\n", 6), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(ends[1]);
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE}) {
        std::signal(signal, SIG_DFL);
    }
}
