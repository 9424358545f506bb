// The new-pet template: refused with its path, or a newborn that lives and saves back the same.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    fuzz::WriteFile("Pets/Fuzz.default", data, size);
    fuzz::Quiet quiet;
    try {
        petfile::ReadTemplate("Pets\\Fuzz.default");
    } catch (const FileError& error) {
        fuzz::CheckErrorLines(std::string("refused: ") + error.what(), "Pets\\Fuzz.default");
        return 0;
    }
    try {
        Pet pet("Fuzz", "NEWBORN", nullptr, &fuzz::EmptyFactory());
        fuzz::Check(pet.GetAge() == 0 && pet.GetName() == "NEWBORN", "a newborn is not new");
        fuzz::LiveAndSave(pet);
    } catch (const FileError& error) {
        fuzz::Check(false, "an accepted template makes no pet", error.what());
    }
    return 0;
}
