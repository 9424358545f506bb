// Saves three pets and the pet list with the game's own save code, over and over, until it is
// killed. Usage: save_hammer FOLDER FIRST_GENERATION. Writes one byte on standard output once
// the first round is saved, so its killer knows the saving has begun.

#include "HammerContent.h"
#include "core/Prototypes.h"
#include "core/TextFiles.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: save_hammer FOLDER FIRST_GENERATION" << std::endl;
        return 2;
    }
    std::filesystem::current_path(argv[1]);
    std::streambuf* old = std::cout.rdbuf(nullptr);
    CreateStatePrototypes();
    std::cout.rdbuf(old);

    for (int generation = std::atoi(argv[2]);; ++generation) {
        for (std::size_t pet = 0; pet < hammer::PetNames().size(); ++pet) {
            if (!textfiles::WriteLines(petfile::DataPath(hammer::PetNames()[pet]),
                                       hammer::PetLines(pet, generation))) {
                return 1;
            }
        }
        if (!textfiles::WriteLines(hammer::kPetList, hammer::ListLines(generation)) ||
            !textfiles::AppendLine(hammer::kPetList, hammer::AddedName(generation))) {
            return 1;
        }
        static bool announced = false;
        if (!announced) {
            announced = true;
            const char ready = 'R';
            if (::write(1, &ready, 1) != 1) {
                return 1;
            }
        }
    }
}
