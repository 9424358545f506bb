#pragma once

#include "pet/LifeRow.h"
#include "support/Happenings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Pet;

// Keeps the current pet's life record: turns what the game announces into rows, holds them,
// and appends them to "Pets\<NAME>.life" just before the pet file is saved (and at once at a
// death, after which the pet file is not saved again). The statistics of a row are those of
// the pet the owner lends, right after the event.
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

private:
    void Hear(const happenings::Happening& happening);
    // Begins keeping `petName`'s record; the rows of the previous pet are written first.
    void Switch(const std::string& petName);
    void Add(const char* event, std::uint64_t atStep, const std::string& detail = {});
    void Write();

    PetSource currentPet;
    std::string name;
    std::uint64_t steps = 0;
    std::vector<LifeRow> pending;
    // Last, so that nothing is heard before the rest is ready.
    happenings::Subscription subscription;
};
