// Saving must survive being killed at any moment and a full disk: afterwards every file holds a
// complete generation, never a mix, a truncation or an empty file, and a failed save says so.
#include "support/TextFiles.h"
#include "TempGameFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <iostream>
#include <random>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// What the killed saver writes, generation by generation, so that a complete file of some
// generation can be told from a mix, a truncation or an empty file.
namespace hammer {

inline const std::vector<std::string> kPets = {"REX", "BIG REX", "Tiny-2"};

inline std::vector<std::string> PetLines(const std::string& name, int g) {
    return {name + " " + std::to_string(g),
            std::string(g % 2 ? "Baby" : "Egg") + (g % 3 ? " Normal" : " Sleep"),
            std::to_string(10 + g % 200) + ".500000 " + std::to_string(g) + ".250000 " +
                std::to_string(g % 89) + " 0 80 50 10 50 50 "};
}

// A varying number of names, so that a cut at a line end shows too; then one name is added.
inline std::vector<std::string> ListLines(int g) {
    std::vector<std::string> lines;
    for (int i = 0; i < 3 + g % 5; ++i) {
        lines.push_back("PET-" + std::to_string(g) + "-" + std::to_string(i));
    }
    return lines;
}

inline std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// Saves three pets and the pet list with the game's own save code, over and over, until killed;
// one byte on `ready` says the first round is saved.
[[noreturn]] void Hammer(int first, int ready) {
    for (int g = first;; ++g) {
        bool saved = true;
        for (const std::string& name : kPets) {
            saved = saved && textfiles::WriteLines("Pets\\" + name + ".data", PetLines(name, g));
        }
        std::vector<std::string> list = ListLines(g);
        saved = saved && textfiles::WriteLines("Settings\\Pet.list", list);
        list.push_back("PET-" + std::to_string(g) + "-added");
        saved = saved && textfiles::WriteLines("Settings\\Pet.list", list);
        if (!saved || (g == first && ::write(ready, "R", 1) != 1)) {
            ::_exit(1); // the test sees it stop on its own
        }
    }
}
} // namespace hammer

TEST(CrashSafety, KilledWhileSavingLeavesEveryFileWholeAndTheGenerationsOnlyGrow) {
    TempGameFolder game;
    std::mt19937 random(20240601);
    for (int kill = 1; kill <= 100; ++kill) {
        int ready[2]; // the hammer writes one byte once it has begun saving
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            hammer::Hammer(kill * 1000000, ready[1]);
        }
        ::close(ready[1]);
        char started = 0;
        EXPECT_EQ(::read(ready[0], &started, 1), 1) << "the hammer did not start saving";
        ::usleep(static_cast<useconds_t>(random() % 4000));
        ::kill(pid, SIGKILL);
        ::close(ready[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
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
    std::filesystem::create_directories(game.folder / "Pets/BOB.data"); // in the way, even for root
    std::ostringstream errors;
    std::streambuf* const oldErr = std::cerr.rdbuf(errors.rdbuf());
    // Files may not grow beyond 16 bytes, as on a full disk, for a moment in this process.
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = textfiles::WriteLines("Pets\\REX.data", hammer::PetLines("REX", 42));
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    const std::string full = errors.str();
    errors.str("");
    EXPECT_FALSE(textfiles::WriteLines("Pets\\BOB.data", {"BOB 1"})); // fails at its last step
    std::cerr.rdbuf(oldErr);
    EXPECT_FALSE(saved) << "the save claimed success";
    EXPECT_EQ(full, "refused: \"Pets\\REX.data\": cannot be saved: File too large; the old file is kept\n");
    EXPECT_EQ(errors.str().rfind("refused: \"Pets\\BOB.data\": cannot be saved: ", 0), 0u) << errors.str();
    EXPECT_EQ(game.Read("Pets/REX.data"), old);
    EXPECT_FALSE(game.Exists("Pets/REX.data.tmp"));
}
