// A saved pet's data file: anything is either refused with its path (and a line number where
// one applies) or opens as a pet that lives and saves back to the same lines.

#include "PetFuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::EnterWorkFolder();
    fuzz::EnsurePrototypesQuietly();
    const std::string path = "Pets\\Fuzz.data";
    fuzz::WriteFile("Pets/Fuzz.data", data, size);
    fuzz::Quiet quiet;
    PetRecord record;
    try {
        record = petfile::ReadData(path);
    } catch (const FileError& error) {
        fuzz::CheckFileErrorText(error.what(), path);
        return 0;
    }
    fuzz::Check(GrowState::IsRegistered(record.stage) && BodyState::IsRegistered(record.body),
                "an unknown state was accepted", record.stage + " " + record.body);
    try {
        GrowState::Create(record.stage)->FromString(record.statistics);
    } catch (const FileError& error) {
        fuzz::Fail("accepted statistics cannot be loaded", error.what());
    }
    try {
        Pet pet("Fuzz", nullptr, &fuzz::EmptyFactory());
        fuzz::Check(pet.GetName() == "Fuzz", "the pet opened under another name", pet.GetName());
        fuzz::CheckSavedLines(pet);
        fuzz::LiveAWhile(pet, 3);
        fuzz::CheckSavedLines(pet);
    } catch (const FileError& error) {
        fuzz::CheckFileErrorText(error.what(), path);
    }
    return 0;
}
