#include "core/Prototypes.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(StatePrototypes, RegisterAllFifteenAndPrintTheirNamesInStartUpOrder) {
    EnsurePrototypes();
    for (const char* stage : {"Egg", "SmallBaby", "Baby", "BigBaby", "SmallChick", "SmallCock", "Chicken",
                              "Cock", "BigCock", "Flower"}) {
        EXPECT_TRUE(GrowState::IsRegistered(stage)) << stage;
    }
    for (const char* body : {"Normal", "Smile", "Bored", "Sick", "Sleep"}) {
        EXPECT_TRUE(BodyState::IsRegistered(body)) << body;
    }
    EXPECT_FALSE(BodyState::IsRegistered("ZZZ"));

    // A second round prints the same names in the same order; the first prototypes keep their names.
    testing::internal::CaptureStdout();
    CreateStatePrototypes();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "BigCock\nNormal\nSmile\nBored\nSick\nSleep\nBaby\nBigBaby\n"
              "Chicken\nCock\nEgg\nFlower\nSmallBaby\nSmallChick\nSmallCock\n");
}
