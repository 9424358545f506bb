#pragma once

// A pet that a reader accepted must live, answer and be saved like any other: these steps run
// it the way the game would, without a window, and check that its saved lines read back the same.

#include "FuzzSupport.h"
#include "core/FileError.h"
#include "core/Signals.h"
#include "core/TextFiles.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"
#include "pet/Food.h"
#include "pet/Game.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"

namespace fuzz {

class FuzzGame : public Game {
public:
    FuzzGame() : Game("FuzzGame") {}
    void Play() override {
        Reset();
        AddStrength(2);
        AddWisdom(1);
        AddEnergy(-5);
        AddFull(-5);
    }
};

// Tables that do not exist: every pair has 0 frames and no move.
inline StateFactory& EmptyFactory() {
    static StateFactory factory("Settings\\NoPictures.list", "Settings\\NoMoves.list");
    return factory;
}

inline void LiveAWhile(Pet& pet, int steps) {
    static const Food apple("Apple 0.5 20 5 30 10 5 0 1");
    static FuzzGame game;
    try {
        pet.Feed(apple);
        pet.Play(game);
        pet.Clean();
        pet.Cure();
        for (int i = 0; i < steps; ++i) {
            pet.Live();
        }
        pet.NextFrame();
    } catch (Die&) {
        // Dying is a way of life for a pet, not a fault.
    }
}

// The pet's own lines, saved and read back, give the same pet.
inline void CheckSavedLines(const Pet& pet) {
    const std::vector<std::string> lines = pet.GetLines();
    Check(lines.size() == 3, "a pet has not three lines");
    const std::string path = "Pets\\Saved.data";
    Check(textfiles::WriteLines(path, lines), "a pet's lines could not be saved");
    try {
        const PetRecord again = petfile::ReadData(path);
        Check(again.name == pet.GetName() && again.age == pet.GetAge(),
              "name or age changed on the way to disk", lines[0]);
        Check(again.stage + " " + again.body == lines[1], "the states changed on the way to disk", lines[1]);
        Check(again.statistics == lines[2], "the statistics changed on the way to disk", lines[2]);
    } catch (const FileError& error) {
        Fail("the game cannot read what it saved",
             std::string(error.what()) + "\n" + lines[0] + "\n" + lines[1] + "\n" + lines[2]);
    }
}

} // namespace fuzz
