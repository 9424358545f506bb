// Saving must survive being killed at any moment and a full disk: afterwards every file holds a
// complete generation, never a mix, a truncation or an empty file, and a failed save says so.
#include "pet/PetFixture.h"
#include "tools/HammerContent.h"

#include "support/TextFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// Runs the child to its end (or kills it `killAfter` microseconds after its first byte); returns
// its status and what it wrote on standard output.
std::pair<int, std::string> RunChild(const std::function<void()>& child, int killAfter = -1) {
    int ready[2];
    EXPECT_EQ(::pipe(ready), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ready[1], 1);
        child();
        ::_exit(127);
    }
    ::close(ready[1]);
    char buffer[512];
    if (killAfter >= 0) {
        EXPECT_EQ(::read(ready[0], buffer, 1), 1) << "the hammer did not start saving";
        ::usleep(static_cast<useconds_t>(killAfter));
        ::kill(pid, SIGKILL);
    }
    std::string output;
    for (ssize_t got; (got = ::read(ready[0], buffer, sizeof buffer)) > 0;) {
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(ready[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return {status, output};
}
} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesEveryFileWholeAndTheGenerationsOnlyGrow) {
    TempGameFolder game;
    std::mt19937 random(20240601);
    for (int kill = 1; kill <= 100; ++kill) {
        const std::string first = std::to_string(kill * 1000000), folder = game.folder.string();
        const int status =
            RunChild(
                [&] {
                    ::execl(HATCHLING_SAVE_HAMMER, "save_hammer", folder.c_str(), first.c_str(), nullptr);
                },
                static_cast<int>(random() % 4000))
                .first;
        ASSERT_TRUE(WIFSIGNALED(status)) << "the hammer stopped on its own";
        // Each file is a complete generation of this run: the generation is read from it, then
        // the whole text is compared.
        for (const std::string& name : hammer::kPets) {
            const std::string text = game.Read("Pets/" + name + ".data");
            const int g = std::atoi(text.c_str() + std::min(text.size(), name.size() + 1));
            EXPECT_TRUE(g >= kill * 1000000 && text == hammer::Joined(hammer::PetLines(name, g)))
                << "kill " << kill << ": " << name << ".data:\n"
                << text;
        }
        const std::string list = game.Read("Settings/Pet.list");
        const int g = std::atoi(list.c_str() + std::min<std::size_t>(list.size(), 4));
        const std::string base = hammer::Joined(hammer::ListLines(g));
        EXPECT_TRUE(g >= kill * 1000000 &&
                    (list == base || list == base + "PET-" + std::to_string(g) + "-added\n"))
            << "kill " << kill << ": the pet list:\n"
            << list;
    }
}

TEST(CrashSafety, AFullDiskOrAFolderInTheWayFailsTheSaveWithOneLineAndKeepsTheOldFile) {
    TempGameFolder game;
    ASSERT_TRUE(textfiles::WriteLines("Pets\\REX.data", hammer::PetLines("REX", 41)));
    const std::string old = game.Read("Pets/REX.data");
    const auto [status, errors] = RunChild([] { // files may not grow beyond 16 bytes, as on a full disk
        ::dup2(1, 2);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(textfiles::WriteLines("Pets\\REX.data", hammer::PetLines("REX", 42)) ? 0 : 1);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the save claimed success";
    EXPECT_EQ(errors, "refused: \"Pets\\REX.data\": cannot be saved: File too large; the old file is kept\n");
    EXPECT_EQ(game.Read("Pets/REX.data"), old);
    EXPECT_FALSE(game.Exists("Pets/REX.data.tmp"));

    // A folder in the way of the file fails the save at its last step, even for root.
    std::filesystem::create_directories(game.folder / "Pets/BOB.data");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(textfiles::WriteLines("Pets\\BOB.data", {"BOB 1"}));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("refused: \"Pets\\BOB.data\": cannot be saved: "),
              std::string::npos);
}
