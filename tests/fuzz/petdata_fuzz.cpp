// A saved pet's data file: refused with its path, or a pet that lives and saves back the same.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Setup();
    fuzz::WriteFile("Pets/Fuzz.data", data, size);
    fuzz::Quiet quiet;
    try {
        Pet pet("Fuzz", nullptr, &fuzz::EmptyFactory());
        fuzz::Check(pet.GetName() == "Fuzz", "the pet opened under another name", pet.GetName());
        fuzz::LiveAndSave(pet);
    } catch (const FileError& error) {
        fuzz::CheckErrorLines(std::string("refused: ") + error.what(), "Pets\\Fuzz.data");
    }
    return 0;
}
