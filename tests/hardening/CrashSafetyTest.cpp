// Saving must survive being killed at any moment and a full disk: afterwards every file holds a
// complete generation, never a mix, a truncation or an empty file, and a failed save says so.
#include "pet/PetFixture.h"
#include "tools/HammerContent.h"

#include "core/TextFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The generation whose complete content the file is, or -1.
int PetGeneration(const TempGameFolder& game, const std::string& name) {
    const std::string text = game.Read("Pets/" + name + ".data");
    const int g = std::atoi(text.c_str() + std::min(text.size(), name.size() + 1));
    return text == hammer::Joined(hammer::PetLines(name, g)) ? g : -1;
}

int ListGeneration(const TempGameFolder& game) {
    const std::string text = game.Read("Settings/Pet.list");
    const int g = std::atoi(text.c_str() + std::min<std::size_t>(text.size(), 4));
    const std::string base = hammer::Joined(hammer::ListLines(g));
    return text == base || text == base + "PET-" + std::to_string(g) + "-added\n" ? g : -1;
}

// Starts the hammer, waits until it has saved once, lets it run a random while and kills it.
void RunAndKill(const std::string& folder, int first, int microseconds) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ready[1], 1);
        ::execl(HATCHLING_SAVE_HAMMER, "save_hammer", folder.c_str(), std::to_string(first).c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(ready[1]);
    char byte = 0;
    const ssize_t got = ::read(ready[0], &byte, 1);
    ::close(ready[0]);
    ::usleep(static_cast<useconds_t>(microseconds));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_EQ(got, 1) << "the hammer did not start saving";
    ASSERT_TRUE(WIFSIGNALED(status)) << "the hammer stopped on its own";
}
} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesEveryFileWholeAndTheGenerationsOnlyGrow) {
    TempGameFolder game;
    std::mt19937 random(20240601);
    for (int kill = 1; kill <= 100; ++kill) {
        const int first = kill * 1000000;
        RunAndKill(game.folder.string(), first, static_cast<int>(random() % 4000));
        for (const std::string& name : hammer::kPets) {
            const int g = PetGeneration(game, name);
            EXPECT_GE(g, first) << "kill " << kill << ": " << name
                                << ".data is no complete generation of this run:\n"
                                << game.Read("Pets/" + name + ".data");
        }
        EXPECT_GE(ListGeneration(game), first)
            << "kill " << kill << ": the pet list is no complete generation:\n"
            << game.Read("Settings/Pet.list");
    }
}

TEST(CrashSafety, AFullDiskRefusesTheSaveWithOneLineAndKeepsTheOldFile) {
    TempGameFolder game;
    ASSERT_TRUE(textfiles::WriteLines("Pets\\REX.data", hammer::PetLines("REX", 41)));
    const std::string old = game.Read("Pets/REX.data");
    int errors[2];
    ASSERT_EQ(::pipe(errors), 0);
    const pid_t child = ::fork();
    if (child == 0) { // files may not grow beyond 16 bytes, as on a full disk
        ::dup2(errors[1], 2);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(textfiles::WriteLines("Pets\\REX.data", hammer::PetLines("REX", 42)) ? 0 : 1);
    }
    ::close(errors[1]);
    std::string text;
    char buffer[512];
    for (ssize_t got; (got = ::read(errors[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(errors[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << "the save claimed success";
    EXPECT_EQ(text, "refused: \"Pets\\REX.data\": cannot be saved: File too large; the old file is kept\n");
    EXPECT_EQ(game.Read("Pets/REX.data"), old);
    EXPECT_FALSE(game.Exists("Pets/REX.data.tmp"));
}
