// Saves three pets and the pet list with the game's own save code, over and over, until it is
// killed. Usage: save_hammer FOLDER FIRST_GENERATION. Writes one byte on standard output once the
// first round is saved, so its killer knows the saving has begun.
#include "HammerContent.h"
#include "support/TextFiles.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

int main(int, char** argv) {
    std::filesystem::current_path(argv[1]);
    for (int g = std::atoi(argv[2]);; ++g) {
        for (const std::string& name : hammer::kPets) {
            if (!textfiles::WriteLines(petfile::DataPath(name), hammer::PetLines(name, g))) {
                return 1;
            }
        }
        if (!textfiles::WriteLines("Settings\\Pet.list", hammer::ListLines(g)) ||
            !textfiles::AppendLine("Settings\\Pet.list", "PET-" + std::to_string(g) + "-added") ||
            (g == std::atoi(argv[2]) && ::write(1, "R", 1) != 1)) {
            return 1;
        }
    }
}
