#include <clocale>
#include <limits>

#include <gtest/gtest.h>

#include "core/NumberText.h"

namespace orvex {
namespace {

// Qt sets the C library's locale from the environment; a German desktop writes "0,25" through
// printf. Every test here runs under such a locale to prove the texts do not depend on it.
class NumberTextUnderCommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "the de_DE.UTF-8 locale is missing; ./test.sh generates it";
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(NumberTextUnderCommaLocale, WritesLevelsAndThresholdsWithAPointAndNoTrailingZeros) {
    EXPECT_EQ(numberText(-3.5), "-3.5");
    EXPECT_EQ(numberText(0.5), "0.5");
    EXPECT_EQ(numberText(1.86), "1.86");
    EXPECT_EQ(numberText(23.34), "23.34");
    EXPECT_EQ(numberText(0.33), "0.33");
    EXPECT_EQ(numberText(2.5), "2.5");
    EXPECT_EQ(numberText(10.0), "10");
    EXPECT_EQ(numberText(0.25), "0.25");
    EXPECT_EQ(numberText(137125.0), "137125");
}

TEST_F(NumberTextUnderCommaLocale, WritesAtMostFifteenSignificantDigits) {
    EXPECT_EQ(numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(numberText(137.7 * 100.0), "13770");
    EXPECT_EQ(numberText(1.0 / 3.0), "0.333333333333333");
}

TEST_F(NumberTextUnderCommaLocale, WritesZeroWithoutASign) {
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(0.0), "0");
}

TEST_F(NumberTextUnderCommaLocale, FrequencyTextHasExactlyThreeDecimals) {
    EXPECT_EQ(frequencyText(132.0), "132.000");
    EXPECT_EQ(frequencyText(137.7), "137.700");
    EXPECT_EQ(frequencyText(132.005), "132.005");
    EXPECT_EQ(frequencyText(144.0), "144.000");
    EXPECT_EQ(frequencyText(0.0), "0.000");
    EXPECT_EQ(frequencyText(-0.0), "0.000");
    EXPECT_EQ(frequencyText(-1e40), "-10000000000000000303786028427003666890752.000");
}

TEST_F(NumberTextUnderCommaLocale, LeadingNumberReadsSignDigitsFractionAndExponent) {
    EXPECT_EQ(leadingNumber("2.5"), 2.5);
    EXPECT_EQ(leadingNumber("-3.28"), -3.28);
    EXPECT_EQ(leadingNumber("+4"), 4.0);
    EXPECT_EQ(leadingNumber("  137.125"), 137.125);
    EXPECT_EQ(leadingNumber("1.5e2"), 150.0);
    EXPECT_EQ(leadingNumber(".5"), 0.5);
    EXPECT_EQ(leadingNumber("7."), 7.0);
}

TEST_F(NumberTextUnderCommaLocale, LeadingNumberStopsWhereTheNumberEnds) {
    EXPECT_EQ(leadingNumber("0,25"), 0.0);
    EXPECT_EQ(leadingNumber("137.5 MHz"), 137.5);
    EXPECT_EQ(leadingNumber("12e"), 12.0);
    EXPECT_EQ(leadingNumber("3e+"), 3.0);
}

TEST_F(NumberTextUnderCommaLocale, LeadingNumberOfAnythingElseIsZero) {
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("Text1"), 0.0);
    EXPECT_EQ(leadingNumber("-"), 0.0);
    EXPECT_EQ(leadingNumber("."), 0.0);
    EXPECT_EQ(leadingNumber("inf"), 0.0);
    EXPECT_EQ(leadingNumber("nan"), 0.0);
    EXPECT_EQ(leadingNumber("1e400"), 0.0);
}

TEST_F(NumberTextUnderCommaLocale, ParseNumberAcceptsOnlyAWholeFiniteNumber) {
    EXPECT_EQ(parseNumber(" 0.25 "), 0.25);
    EXPECT_EQ(parseNumber("137125"), 137125.0);
    EXPECT_EQ(parseNumber("-2"), -2.0);
    EXPECT_FALSE(parseNumber("0,25"));
    EXPECT_FALSE(parseNumber("1e400"));
    EXPECT_FALSE(parseNumber(""));
    EXPECT_FALSE(parseNumber("10 kHz"));
    EXPECT_FALSE(parseNumber("0x10"));
}

TEST_F(NumberTextUnderCommaLocale, TextsRoundTripThroughEachOther) {
    for (const double value : {0.001, 0.12, 137.125, 1234.5678, -3.28, 1e-7}) {
        EXPECT_EQ(leadingNumber(numberText(value)), value) << numberText(value);
    }
}

TEST(RoundHalfEven, TakesTheNearestIntegerAndHalvesToEven) {
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(1.5), 2);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(812.5), 812);
    EXPECT_EQ(roundHalfEven(1199.5), 1200);
    EXPECT_EQ(roundHalfEven(2.49999), 2);
    EXPECT_EQ(roundHalfEven(-3.51), -4);
}

}  // namespace
}  // namespace orvex
