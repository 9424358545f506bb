#include "core/Signals.h"
#include <gtest/gtest.h>

#include <sstream>

TEST(Signals, TextFormKeepsTheClassThroughABase) {
    auto text = [](const Exception& signal) {
        std::ostringstream out;
        out << signal;
        return out.str();
    };
    EXPECT_EQ(text(Die()), "Die");
    try {
        throw BodyStateChanged("Sleep");
    } catch (const Exception& caught) {
        EXPECT_EQ(text(caught), "BodyStateChanged: Sleep");
    }
}
