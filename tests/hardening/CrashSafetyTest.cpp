// Saving must survive being killed at any moment and a full disk: afterwards every file holds
// the complete old or the complete new content, and a failed save says so on standard error.

#include "pet/PetFixture.h"
#include "tools/HammerContent.h"

#include "core/TextFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The generation a complete pet file belongs to, or -1 for anything else.
int PetFileGeneration(const TempGameFolder& game, std::size_t pet) {
    const std::string name = hammer::PetNames()[pet];
    const std::string text = game.Read("Pets/" + name + ".data");
    const std::size_t lineEnd = text.find('\n');
    const std::size_t blank = text.rfind(' ', lineEnd);
    if (lineEnd == std::string::npos || blank == std::string::npos || text.compare(0, blank, name) != 0) {
        return -1;
    }
    const int generation = std::atoi(text.c_str() + blank + 1);
    return text == hammer::Joined(hammer::PetLines(pet, generation)) ? generation : -1;
}

// The pet list is complete when it is some generation's list, with or without its added name.
int ListGeneration(const TempGameFolder& game) {
    const std::string text = game.Read("Settings/Pet.list");
    if (text.rfind("PET-", 0) != 0) {
        return -1;
    }
    const int generation = std::atoi(text.c_str() + 4);
    const std::string base = hammer::Joined(hammer::ListLines(generation));
    if (text == base || text == base + hammer::AddedName(generation) + "\n") {
        return generation;
    }
    return -1;
}

void SaveGeneration(int generation) {
    for (std::size_t pet = 0; pet < hammer::PetNames().size(); ++pet) {
        ASSERT_TRUE(textfiles::WriteLines(petfile::DataPath(hammer::PetNames()[pet]),
                                          hammer::PetLines(pet, generation)));
    }
    ASSERT_TRUE(textfiles::WriteLines(hammer::kPetList, hammer::ListLines(generation)));
}

// Starts the hammer, waits until it has saved once, lets it run a random while and kills it.
void RunAndKill(const std::string& folder, int firstGeneration, int microseconds) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::dup2(ready[1], 1);
        ::close(ready[0]);
        ::close(ready[1]);
        const std::string first = std::to_string(firstGeneration);
        ::execl(HATCHLING_SAVE_HAMMER, "save_hammer", folder.c_str(), first.c_str(),
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
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(got, 1) << "the hammer did not start saving";
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the hammer stopped on its own";
}

int Kills() {
    const char* wanted = std::getenv("HATCHLING_KILLS");
    return wanted ? std::max(1, std::atoi(wanted)) : 200;
}
} // namespace

TEST(CrashSafety, KilledWhileSavingLeavesEveryFileWholeAndTheGenerationsOnlyGrow) {
    TempGameFolder game;
    SaveGeneration(0);
    std::mt19937 random(20240601);
    int broken = 0;
    int previousList = 0;
    int previousPet = 0;
    const int kills = Kills();
    for (int kill = 1; kill <= kills; ++kill) {
        const int first = kill * 1000000;
        RunAndKill(game.folder.string(), first, static_cast<int>(random() % 4000));
        for (std::size_t pet = 0; pet < hammer::PetNames().size(); ++pet) {
            const int generation = PetFileGeneration(game, pet);
            if (generation < 0) {
                ++broken;
                ADD_FAILURE() << "kill " << kill << ": " << hammer::PetNames()[pet]
                              << ".data is neither old nor new:\n"
                              << game.Read("Pets/" + hammer::PetNames()[pet] + ".data");
            } else if (pet == 0) {
                // A file never goes back to an older generation than it held before the kill.
                EXPECT_GE(generation, previousPet);
                previousPet = generation;
            }
        }
        const int list = ListGeneration(game);
        if (list < 0) {
            ++broken;
            ADD_FAILURE() << "kill " << kill << ": the pet list is neither old nor new:\n"
                          << game.Read("Settings/Pet.list");
        } else {
            EXPECT_GE(list, previousList);
            previousList = list;
        }
        // Every kill happened after a complete round of this run.
        EXPECT_GE(list, first);
    }
    EXPECT_EQ(broken, 0);
    // A save after all this still reads back.
    SaveGeneration(7);
    EXPECT_EQ(petfile::ReadData(petfile::DataPath("BIG REX")).age, 7);
}

namespace {
struct ChildResult {
    int status = -1;
    std::string errors;
};

// Runs `save` in a child whose files may not grow beyond `limit` bytes, as on a full disk,
// and collects what it writes on standard error.
template <class Save> ChildResult WithFileSizeLimit(rlim_t limit, Save save) {
    int errors[2];
    if (::pipe(errors) != 0) {
        return {};
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(errors[1], 2);
        ::close(errors[0]);
        ::close(errors[1]);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit small{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &small);
        ::_exit(save() ? 0 : 1);
    }
    ::close(errors[1]);
    ChildResult result;
    char buffer[512];
    ssize_t got;
    while ((got = ::read(errors[0], buffer, sizeof buffer)) > 0) {
        result.errors.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(errors[0]);
    ::waitpid(child, &result.status, 0);
    return result;
}
} // namespace

TEST(CrashSafety, AFullDiskRefusesTheSaveWithOneLineAndKeepsTheOldFile) {
    TempGameFolder game;
    SaveGeneration(41);
    const std::string oldPet = game.Read("Pets/REX.data");
    const std::string oldList = game.Read("Settings/Pet.list");

    const ChildResult pet = WithFileSizeLimit(
        16, [] { return textfiles::WriteLines(petfile::DataPath("REX"), hammer::PetLines(0, 42)); });
    ASSERT_TRUE(WIFEXITED(pet.status));
    EXPECT_EQ(WEXITSTATUS(pet.status), 1) << "the save claimed success";
    EXPECT_EQ(pet.errors,
              "refused: \"Pets\\REX.data\": cannot be saved: File too large; the old file is kept\n");
    EXPECT_EQ(game.Read("Pets/REX.data"), oldPet);

    const ChildResult list = WithFileSizeLimit(
        16, [] { return textfiles::AppendLine(hammer::kPetList, "A-NAME-TOO-LONG-FOR-THE-DISK"); });
    ASSERT_TRUE(WIFEXITED(list.status));
    EXPECT_EQ(WEXITSTATUS(list.status), 1);
    EXPECT_EQ(list.errors,
              "refused: \"Settings\\Pet.list\": cannot be saved: File too large; the old file is kept\n");
    EXPECT_EQ(game.Read("Settings/Pet.list"), oldList);

    // Nothing half-written is left beside the files.
    EXPECT_FALSE(game.Exists("Pets/REX.data.tmp"));
    EXPECT_FALSE(game.Exists("Settings/Pet.list.tmp"));
}
