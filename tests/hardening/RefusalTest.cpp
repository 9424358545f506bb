// Refusals the unit tests of the readers do not make, from faults that fuzzing and review found.
#include "pet/PetFixture.h"

#include "pet/Food.h"
#include "pet/Pet.h"
#include "pet/PetFile.h"
#include "presentation/StateFactory.h"
#include "support/FileError.h"

#include <gtest/gtest.h>

namespace {
const std::string kStats = "30.000000 500.000000 0 0 80 50 10 50 50 \n";
} // namespace

TEST(Refusals, ADataFileNamingAnotherPetOrAPathCannotMakeItsSaveOverwriteAnotherFile) {
    TempGameFolder game;
    StateFactory factory("Settings\\StatePic.list", "Settings\\StateMove.list");
    game.Write("Pets/ANN.data", "BOB 3\nBaby Normal\n" + kStats);
    EXPECT_EQ(RefusalOf([&] { Pet("ANN", nullptr, &factory); }),
              "\"Pets\\ANN.data\" line 1: names the pet \"BOB\", not \"ANN\"");
    game.Write("Pets/BIG ANN.data", "BIG ANN 3\nBaby Smile\n" + kStats);
    EXPECT_EQ(Pet("BIG ANN", nullptr, &factory).GetAge(), 3);
}

TEST(Refusals, AMoveBeyondAnySaneSizeIsRefusedBeforeTheBobCanOverflow) {
    TempGameFolder game;
    game.Write("Settings/StateMove.list", "Baby Normal 4 Smile 2 Bored 1 Sick 1 Sleep 100000\n"
                                          "Egg Normal -2147483648 Smile 1 Bored 1 Sick 1 Sleep 1\n");
    testing::internal::CaptureStderr();
    StateFactory factory("Settings\\None.list", "Settings\\StateMove.list");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "refused: \"Settings\\StateMove.list\" line 2: \"-2147483648\" for Egg Normal is "
              "not between -100000 and 100000; reading stops here\n");
    // The largest move accepted bobs both ways.
    game.Write("Pets/Default.default", "Baby\nSleep\n" + kStats);
    Pet pet("Default", "BOBBER", nullptr, &factory);
    Pet::ResetAnimation();
    EXPECT_EQ(pet.NextFrame().offset, 100000);
    EXPECT_EQ(pet.NextFrame().offset, -100000);
}

TEST(Refusals, NotANumberOrInfiniteHeightsAndWeightsAreRefused) {
    TempGameFolder game;
    EXPECT_THROW(Food("Apple nan 20 5 30 10 5 0 1"), FileError);
    EXPECT_THROW(Food("Apple 0.5 1e999 5 30 10 5 0 1"), FileError);
    game.Write("Pets/REX.data", "REX 3\nBaby Normal\n30 -nan 0 0 80 50 10 50 50 \n");
    EXPECT_EQ(RefusalOf([] { petfile::ReadData("Pets\\REX.data"); }),
              "\"Pets\\REX.data\" line 3: the height and weight must be finite numbers");
    game.Write("Pets/Default.default", "Egg\nNormal\ninf 500 0 0 80 50 10 50 50 \n");
    EXPECT_THROW(petfile::ReadTemplate("Pets\\Default.default"), FileError);
}
