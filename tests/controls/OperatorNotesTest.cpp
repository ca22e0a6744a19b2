#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/OperatorNotes.h"

namespace orvex::test {
namespace {

TEST(OperatorNotes, ATypedFrequencyIsUnderstoodInMegahertzKilohertzOrHertz) {
    const std::vector<std::pair<const char*, std::optional<double>>> cases{
        {"137.5", 137.5},          {"137500", 137.5},        {"137500000", 137.5},
        {"132000", 132.0},         {"144000000", 144.0},     {"137010", 137.01},
        {"150", std::nullopt},     {"131999", std::nullopt}, {"1375000", std::nullopt},
        {"137.5.1", std::nullopt}, {"", std::nullopt}};
    for (const auto& [typed, megahertz] : cases) {
        EXPECT_EQ(typedMegahertz(typed), megahertz) << typed;
    }
}

TEST(OperatorNotes, AStoreIsConfirmedOnlyWhenTheFileHoldsWhatThePanelShows) {
    const ChannelMemory stored{ChannelMemory::Status::Valid, 137100.0, 4, 0.25, 10};
    const PanelSettings panel{137100, 10, 4, 250};
    EXPECT_EQ(storeNote(2, stored, panel),
              "Ch-2 stored: 137.100 MHz, 10 kHz, volume 4, squelch 0.25");

    PanelSettings moved = panel;
    moved.displayedKHz = 137110;
    EXPECT_EQ(storeNote(2, stored, moved),
              "Ch-2 was not stored: the settings file does not hold it");
    EXPECT_EQ(storeNote(3, ChannelMemory{}, panel),
              "Ch-3 was not stored: the settings file does not hold it");
}

TEST(OperatorNotes, RecallAndHoverSayWhatAMemoryHolds) {
    const ChannelMemory valid{ChannelMemory::Status::Valid, 140125.0, 7, 0.5, 5};
    EXPECT_EQ(recallNote(1, valid), "Ch-1 recalled: 140.125 MHz, 5 kHz, volume 7, squelch 0.5");
    EXPECT_EQ(recallNote(1, ChannelMemory{}), std::nullopt);
    EXPECT_EQ(memoryHoverNote(1, valid), "Ch-1 holds 140.125 MHz, 5 kHz, volume 7, squelch 0.5");
    EXPECT_EQ(memoryHoverNote(3, ChannelMemory{ChannelMemory::Status::Invalid}),
              "Ch-3 holds invalid values: a recall changes nothing");
}

TEST(OperatorNotes, AnEntryOffTheStepGridSaysWhereItWasRounded) {
    EXPECT_EQ(entryNote(137.503, 137500, 10),
              "137.503 MHz is not on the 10 kHz grid: tuned to 137.500 MHz");
    EXPECT_EQ(entryNote(137.5, 137500, 10), std::nullopt);
    EXPECT_EQ(entryNote(137.01, 137010, 10), std::nullopt);
}

TEST(OperatorNotes, AWheelNotchOverADigitMovesByItsWeightButNeverLessThanAStep) {
    const std::vector<std::pair<std::pair<int, int>, int>> cases{
        {{100, 10}, 10}, {{1000, 10}, 100}, {{10, 5}, 2}, {{1, 10}, 1}, {{10, 100}, 1}};
    for (const auto& [digitAndStep, positions] : cases) {
        EXPECT_EQ(knobStepsForDigit(digitAndStep.first, digitAndStep.second), positions)
            << digitAndStep.first << " kHz at " << digitAndStep.second << " kHz";
    }
}

}  // namespace
}  // namespace orvex::test
