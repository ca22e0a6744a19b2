#include <gtest/gtest.h>

#include "controls/SpokenValues.h"

namespace orvex::test {
namespace {

TEST(SpokenValues, ControlsAreWordedInTheOperatorsUnits) {
    EXPECT_DOUBLE_EQ(knobKHz(550, 10), 137500.0);
    EXPECT_DOUBLE_EQ(knobKHz(2399, 5), 143995.0);
    EXPECT_EQ(volumeWords(4), "volume 4 of 7");
    EXPECT_EQ(squelchWords(250), "squelch 2.5");
    EXPECT_EQ(squelchWords(0), "squelch 0");
    EXPECT_EQ(meterWords(7.0, 12.0), "signal S7, supply 12 volts");
    EXPECT_EQ(meterWords(11.02, 12.09), "signal S9+12 dB, supply 12.1 volts");
}

}  // namespace
}  // namespace orvex::test
