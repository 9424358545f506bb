// Every file operation that a scripted game makes while it writes, failed in turn as a full or
// failing disk would fail it: after each failure the pets, their list, their life records and
// the player's preferences are whole and agree, and every save that said it worked did.
#include "TempGameFolder.h"

#include "growth/Food.h"
#include "growth/StateFactory.h"
#include "pet/LifeRecord.h"
#include "pet/LifeRecorder.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "pet/PetStore.h"
#include "support/Preferences.h"
#include "support/Signals.h"
#include "support/TextFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <optional>
#include <set>

namespace fs = std::filesystem;

namespace {
// A tmpfs folder when there is one: the sweep syncs thousands of times.
fs::path Scratch() {
    std::error_code error;
    return fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// The torn last line that ANN's record starts with; it stays until ANN's record is next written.
const std::string kTorn = "2026-01-01T10:00:05";

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

// One game: REX is made under the name of a dead pet, fed, lives and is saved; a preference
// changes; ANN is opened and starves; REX is opened again and saved as the game quits.
class SweptGame {
public:
    // Operation `failAt` fails, and with `onward` every one after it too.
    SweptGame(int failAt, bool onward) : folder(Scratch()) {
        const std::string life =
            std::string(liferecord::kHeader) + "\n2026-01-01T10:00:00+01:00,0,new,Baby,Normal,";
        folder.Write("Pets/Default.default", "Baby\nNormal\n30.000000 500.000000 0 0 80 50 10 50 80 \n");
        folder.Write("Settings/Pet.list", "ANN\n");
        folder.Write("Pets/ANN.data", "ANN 1\nBaby Normal\n30.000000 500.000000 0 0 80 6 10 50 80 \n");
        folder.Write("Pets/ANN.life", life + "30,500,50,6,80,80,10,0,0,\n" + kTorn);
        folder.Write("Pets/REX.data", "REX 3\nBaby Normal\n30.000000 500.000000 0 0 80 0 10 50 80 \n");
        folder.Write("Pets/REX.life",
                     life + "30,500,50,0,80,80,10,0,0,\n2026-01-01T10:01:00+01:00,12,"
                            "death,Baby,Normal,30,500,50,0,80,80,10,0,0,\"Die From Starving!\"\n");
        folder.Write("Settings/Preferences.data", "scale 2\nfuture-key kept as it is\n");
        const int error = failAt % 2 ? ENOSPC : EIO;
        onward ? faults->FailFrom(failAt, error) : faults->FailAt(failAt, error);
        this->onward = onward;
        this->failAt = failAt;
    }

    void Play() {
        std::streambuf* const oldErr = std::cerr.rdbuf(refusals.rdbuf());
        Adopt("REX", true);
        if (pet) {
            pet->Feed(cake);
            for (int step = 0; step < 3; ++step) {
                pet->Live();
            }
        }
        Save(); // the autosave
        preferenceSaved = Preferences().SetSwitch("sound", false);
        Adopt("ANN", false);
        try {
            for (int step = 0; pet && pet->GetName() == "ANN" && step < 50; ++step) {
                pet->Live();
            }
        } catch (Die& death) {
            store.Bury(*pet, death.GetMessage());
            pet.reset();
            annDied = true;
        }
        if (rexMade) {
            Adopt("REX", false);
        }
        Save(); // the save on quitting, called for its result
        reached = faults->count >= failAt;
        operations = faults->seen.size();
        faults.reset(); // what is checked next is the next start's business
        std::cerr.rdbuf(oldErr);
    }

    bool Reached() const { return reached; }
    std::size_t Operations() const { return operations; } // kinds of operation met

    void Check() {
        std::ostringstream lines;
        std::streambuf* const oldErr = std::cerr.rdbuf(lines.rdbuf());
        for (const auto& entry : fs::recursive_directory_iterator(folder.folder)) {
            EXPECT_NE(entry.path().extension(), ".tmp") << "a file was left half written: " << entry.path();
        }
        const std::string list = folder.Read("Settings/Pet.list");
        const std::vector<std::string> listed = textfiles::SplitLines(list);
        EXPECT_TRUE(list.empty() || list.back() == '\n') << list;
        EXPECT_EQ(std::set(listed.begin(), listed.end()).size(), listed.size()) << list;
        LifeRecorder reader([] { return nullptr; });
        for (const std::string& name : listed) {
            EXPECT_TRUE(name == "ANN" || name == "REX") << list;
            EXPECT_EQ(RefusalOf([&] { petfile::ReadData(petfile::DataPath(name)); }), "accepted") << name;
        }
        CheckTheDeadStayDead();
        for (const auto& [name, alive] : {std::pair{"ANN", !annDied}, std::pair{"REX", rexMade}}) {
            EXPECT_TRUE(!alive || std::count(listed.begin(), listed.end(), name) == 1)
                << name << " lives but is not listed: " << list;
        }
        std::map<std::string, std::set<std::string>> rows; // every record's rows, by pet name
        for (const auto& entry : fs::recursive_directory_iterator(folder.folder / "Pets")) {
            const std::string file = fs::relative(entry.path(), folder.folder).string();
            const std::string name = entry.path().stem().string();
            if (entry.path().extension() == ".data") {
                EXPECT_EQ(RefusalOf([&] { petfile::ReadData(file); }), "accepted") << file;
                // Off the list, a pet's file stays only when its record says that it died.
                EXPECT_TRUE(entry.path().parent_path() != folder.folder / "Pets" ||
                            std::count(listed.begin(), listed.end(), name) == 1 || reader.EndsInDeath(name))
                    << file << " is neither listed nor dead";
            } else if (entry.path().extension() == ".life") {
                CheckRecord(file, rows);
            }
        }
        for (const auto& [name, reported] : saved) {
            for (const std::string& row : reported) {
                EXPECT_EQ(rows[name].count(row), 1u) << "lost from " << name << "'s records: " << row;
            }
        }
        const std::string preferences = folder.Read("Settings/Preferences.data");
        EXPECT_TRUE(preferences.starts_with("scale 2\nfuture-key kept as it is\n")) << preferences;
        EXPECT_EQ(preferences.find("sound off\n") != std::string::npos, preferenceSaved) << preferences;
        std::cerr.rdbuf(oldErr);
    }

private:
    // Saves as the controller does; a save that says it worked has put the pet as it is now and
    // every row of its record on the disk.
    bool Save() {
        if (!pet) {
            recorder.Write(); // rows still waiting for a pet that died
            return true;
        }
        if (!store.Save(*pet)) {
            return false;
        }
        const std::string name = pet->GetName();
        EXPECT_EQ(folder.Read("Pets/" + name + ".data"), Joined(pet->GetLines()));
        for (const std::string& row : textfiles::SplitLines(folder.Read("Pets/" + name + ".life"))) {
            saved[name].insert(row);
        }
        return true;
    }

    // Opens or makes a pet as the controller does: a current pet that cannot be saved stays.
    void Adopt(const std::string& name, bool make) {
        if (!Save()) {
            return;
        }
        try {
            std::unique_ptr<Pet> adopted = make ? store.Make(name, nullptr) : store.Open(name, nullptr);
            if (adopted) {
                pet = std::move(adopted);
                happenings::Announce(make ? happenings::Kind::Made : happenings::Kind::Opened, name);
                rexMade = rexMade || make;
                Save();
            }
        } catch (const FileError&) {
            // refused: the current pet stays
        }
    }

    // A listed pet whose record ends in its death does not open alive.
    void CheckTheDeadStayDead() const {
        LifeRecorder reader([] { return nullptr; });
        for (const std::string& name : textfiles::SplitLines(folder.Read("Settings/Pet.list"))) {
            EXPECT_FALSE(reader.EndsInDeath(name) && PetStore({name}, reader).Open(name, nullptr))
                << name << " died but opens alive";
        }
    }

    // Adds the record's rows to `rows` under the pet's name (a memory's name ends at its stamp).
    void CheckRecord(const std::string& file, std::map<std::string, std::set<std::string>>& rows) const {
        std::string content = folder.Read(file);
        // A torn last line is never a row; it goes at the record's next append, which a disk that
        // stays full never allows.
        const std::size_t whole = content.rfind('\n') + 1;
        const bool torn = whole < content.size() && (onward || content.substr(whole) == kTorn);
        content.resize(torn ? whole : content.size());
        const std::vector<std::string> lines = textfiles::SplitLines(content);
        EXPECT_EQ(std::set(lines.begin(), lines.end()).size(), lines.size()) << "a row twice in " << file;
        EXPECT_TRUE(content.empty() || content.back() == '\n') << file << ":\n" << content;
        const liferecord::Reading read = liferecord::Read(file, false);
        EXPECT_EQ(read.refused, torn ? 1 : 0) << file << ":\n" << content;
        // One life to a record: it begins with the pet's making and ends at its death.
        for (std::size_t i = 0; i < read.rows.size(); ++i) {
            EXPECT_TRUE((read.rows[i].event != "new" || i == 0) &&
                        (i == 0 || read.rows[i - 1].event != "death"))
                << "two lives in " << file << ":\n"
                << content;
        }
        const std::string stem = fs::path(file).stem().string();
        rows[stem.substr(0, stem.find(' '))].insert(lines.begin(), lines.end());
    }

    TempGameFolder folder;
    std::optional<FileFaults> faults{std::in_place};
    int failAt = 0;
    bool reached = false;
    std::size_t operations = 0;
    bool onward = false;
    std::ostringstream refusals;
    ConstantRandom fours{4}; // every rule takes its largest step
    StateFactory factory{"Settings\\NoPictures.list", "Settings\\NoMoves.list"};
    const Food cake{"Cake 0.2 120 -5 35 20 5 0 0"};
    std::unique_ptr<Pet> pet;
    LifeRecorder recorder{[this] { return pet.get(); }};
    PetStore store{{"ANN"}, recorder, &factory};
    bool rexMade = false, annDied = false, preferenceSaved = false;
    std::map<std::string, std::set<std::string>> saved; // rows that a save said were on the disk
};
} // namespace

TEST(FaultSweep, EveryFailingWriteLeavesThePetsWholeTheirListTrueAndNoRowTwiceOrLost) {
    // The clock ticks at every reading, so that every row of the game is a row of its own.
    std::time_t now = 1800000000;
    const wallclock::Source oldClock = wallclock::SetSource([&] { return ++now; });
    int points = 0;
    for (const bool onward : {false, true}) {
        for (int failAt = 1; !HasFailure(); ++failAt) {
            SweptGame game(failAt, onward);
            game.Play();
            SCOPED_TRACE("with file operation " + std::to_string(failAt) +
                         (onward ? " and all after it" : "") + " failing");
            game.Check();
            if (!game.Reached()) {
                // The script reaches every kind of operation, so that each kind was failed.
                EXPECT_EQ(game.Operations(), 8u);
                EXPECT_GT(failAt, 50);
                break;
            }
            ++points;
        }
    }
    wallclock::SetSource(oldClock);
    std::cout << "fault sweep: " << points << " runs, each with another operation failing\n";
}
