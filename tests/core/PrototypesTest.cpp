#include "core/Prototypes.h"
#include "growth/GrowState.h"
#include "pet/BodyState.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(StatePrototypes, RegisterAllFifteenInStartUpOrder) {
    EnsurePrototypes();
    // A second round prints the same names in the same order; the first prototypes keep their names.
    testing::internal::CaptureStdout();
    CreateStatePrototypes();
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "BigCock\nNormal\nSmile\nBored\nSick\nSleep\nBaby\nBigBaby\n"
              "Chicken\nCock\nEgg\nFlower\nSmallBaby\nSmallChick\nSmallCock\n");
    EXPECT_TRUE(GrowState::IsRegistered("SmallCock"));
    EXPECT_TRUE(BodyState::IsRegistered("Sleep"));
    EXPECT_FALSE(BodyState::IsRegistered("ZZZ"));
}
