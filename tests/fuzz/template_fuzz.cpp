// The new-pet template: anything is either refused with its path and line, or gives a newborn
// that lives and saves to lines the game reads back the same.

#include "PetFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    fuzz::EnsurePrototypesQuietly();
    const std::string path = "Pets\\Fuzz.default";
    fuzz::WriteFile("Pets/Fuzz.default", data, size);
    fuzz::Quiet quiet;
    PetRecord record;
    try {
        record = petfile::ReadTemplate(path);
    } catch (const FileError& error) {
        fuzz::CheckFileErrorText(error.what(), path);
        return 0;
    }
    fuzz::Check(GrowState::IsRegistered(record.stage) && BodyState::IsRegistered(record.body),
                "an unknown state was accepted", record.stage + " " + record.body);
    try {
        Pet pet("Fuzz", "NEWBORN", nullptr, &fuzz::EmptyFactory());
        fuzz::Check(pet.GetAge() == 0 && pet.GetName() == "NEWBORN", "a newborn is not new");
        fuzz::CheckSavedLines(pet);
        fuzz::LiveAWhile(pet, 3);
        fuzz::CheckSavedLines(pet);
    } catch (const FileError& error) {
        fuzz::Fail("an accepted template makes no pet", error.what());
    }
    return 0;
}
