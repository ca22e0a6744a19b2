#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/SignalStrength.h"
#include "controls/SpokenValues.h"

namespace orvex::test {
namespace {

// The level counts S-units: rigctl's STRENGTH and a screen reader read the same meter.
TEST(SpokenValues, TheSignalLevelReadsInSUnitsAndDecibelsOverS9HeldToTheMetersEnds) {
    struct Case {
        double level;
        int decibels;
        const char* words;
    };
    const std::vector<Case> cases{
        {-3.5, -54, "S0"},  // byte 0: below the meter's bottom
        {0.0, -54, "S0"},
        {0.5, -51, "S0"},  // half-way between S-units: halves to even
        {1.86, -43, "S2"},
        {6.5, -15, "S6"},
        {6.6, -14, "S7"},
        {9.0, 0, "S9"},
        {9.2, 1, "S9 plus 1 dB"},
        {11.0, 12, "S9 plus 12 dB"},
        {23.34, 60, "S9 plus 60 dB"},  // byte 255: above the meter's top
    };
    for (const Case& c : cases) {
        EXPECT_EQ(decibelsOverS9(c.level), c.decibels) << c.level;
        EXPECT_EQ(signalStrengthText(c.level), c.words) << c.level;
    }
}

TEST(SpokenValues, ControlsAreWordedInTheOperatorsUnits) {
    EXPECT_EQ(frequencyWords(137.5), "137.500 MHz");
    EXPECT_DOUBLE_EQ(knobMegahertz(550, 10), 137.5);
    EXPECT_DOUBLE_EQ(knobMegahertz(2399, 5), 143.995);
    EXPECT_EQ(volumeWords(4), "volume 4 of 7");
    EXPECT_EQ(squelchWords(250), "squelch 2.5");
    EXPECT_EQ(squelchWords(0), "squelch 0");
    EXPECT_EQ(meterWords(6.6, 12.0), "signal S7, supply 12 volts");
    EXPECT_EQ(meterWords(11.0, 12.09), "signal S9 plus 12 dB, supply 12.1 volts");
}

}  // namespace
}  // namespace orvex::test
