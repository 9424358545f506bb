#pragma once

#include "pet/LifeRecord.h"
#include "pet/LifeRow.h"
#include "support/Happenings.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Pet;

// Keeps the current pet's life record: turns what the game announces into rows, holds them,
// and appends them to "Pets\<NAME>.life" when its owner writes them: just before the pet file is
// saved, and at once at a death. Rows that could not be written wait, each for its own pet's
// record, and go with the next write. The statistics of a row are those of the pet the owner
// lends, right after the event.
class LifeRecorder {
public:
    using PetSource = std::function<const Pet*()>;
    explicit LifeRecorder(PetSource currentPet);

    // The current pet's life: the record's rows from its last "new" on, then the rows not yet
    // written. Empty without a pet.
    std::vector<LifeRow> Rows() const;
    // The pet's stage, body state and statistics as they are now, as a row with no event.
    static LifeRow RowOf(const Pet& pet);
    // Life steps of the current pet since it was made.
    std::uint64_t Steps() const { return steps; }
    // The pace the game runs at from the start (its changes are announced).
    void SetPace(pace::Pace chosen) { pace = chosen; }

    // Appends every row that waits, the current pet's and any an earlier pet could not write;
    // true when none of the current pet's waits any more.
    bool Write();
    // The current pet's death row, with the cause, written at once; true when it is on the disk.
    // The pet's record ends there: nothing more is heard of it.
    bool RecordDeath(const std::string& cause);
    // Appends the rows still waiting for the named pet (a dead one whose death row could not be
    // written); true when none waits any more.
    bool WriteFor(const std::string& petName);
    // Whether the pet's life ends in a death row, written or still waiting.
    bool EndsInDeath(const std::string& petName) const;

private:
    struct Waiting {
        std::vector<LifeRow> rows;
        liferecord::Tail tail;
    };
    void Hear(const happenings::Happening& happening);
    void Open(const std::string& petName);
    void Add(const char* event, std::uint64_t atStep, const std::string& detail = {});

    PetSource currentPet;
    std::string name;
    std::uint64_t steps = 0;
    std::uint64_t passes = 0; // of play, up to the last step
    pace::Pace pace = pace::Pace::Design;
    std::map<std::string, Waiting> waiting;
    // Last, so that nothing is heard before the rest is ready.
    happenings::Subscription subscription;
};
