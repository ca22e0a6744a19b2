#include <gtest/gtest.h>

#include "BoardFixture.h"

namespace orvex::sim {
namespace {

using SimulatedSynthesizer = BoardFixture;

TEST_F(SimulatedSynthesizer, TunesAndLocksTo137700WithTheTenKHzWords) {
    tuneTo(137700.0);

    const SynthesizerChip::State chip = board.snapshot().synthesizer;
    EXPECT_EQ(chip.controlWord, 71);
    EXPECT_EQ(chip.referenceWord, 800);
    EXPECT_EQ(chip.dividerWord, 14840);
    EXPECT_EQ(chip.oscillatorKHz, 148400.0);
    EXPECT_EQ(chip.receiveKHz, 137700.0);
    EXPECT_TRUE(chip.locked);
    EXPECT_TRUE(board.locked());
}

TEST_F(SimulatedSynthesizer, TunesAndLocksTo137700WithTheFiveKHzWords) {
    useFiveKHzComparison();
    tuneTo(137700.0);

    const SynthesizerChip::State chip = board.snapshot().synthesizer;
    EXPECT_EQ(chip.referenceWord, 1600);
    EXPECT_EQ(chip.dividerWord, 29680);
    EXPECT_EQ(chip.receiveKHz, 137700.0);
    EXPECT_TRUE(chip.locked);
}

TEST_F(SimulatedSynthesizer, TakesEachNewDividerWordWithoutTheOthers) {
    tuneTo(137700.0);
    synthesizer.LoadDivider(dividerWord(knobDividerValue(1200, 10, 1)));
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 144000.0);
    EXPECT_TRUE(board.locked());
    synthesizer.LoadDivider(dividerWord(knobDividerValue(0, 10, 1)));
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 132000.0);
    EXPECT_TRUE(board.locked());
}

TEST_F(SimulatedSynthesizer, LosesTheWordsSentWhilePowerIsLow) {
    setPower(false);
    synthesizer.INITIALIZE_PLL();
    synthesizer.LoadDivider(14840);
    setPower(true);

    const SynthesizerChip::State chip = board.snapshot().synthesizer;
    EXPECT_EQ(chip, SynthesizerChip::State{});
    EXPECT_FALSE(board.locked());
}

TEST_F(SimulatedSynthesizer, ForgetsEverythingWhenPowerDrops) {
    tuneTo(137700.0);
    state.MuteBits = 8;
    setPower(false);  // the power-off write of 8
    EXPECT_EQ(board.snapshot().synthesizer, SynthesizerChip::State{});

    setPower(true);
    EXPECT_FALSE(board.locked());
    synthesizer.LoadDivider(14840);  // the divider alone does not bring the reference back
    EXPECT_FALSE(board.locked());
    EXPECT_FALSE(board.snapshot().synthesizer.referenceWord.has_value());
}

TEST_F(SimulatedSynthesizer, NeedsBothTheReferenceAndTheDividerWordToLock) {
    setPower(true);
    synthesizer.LoadDivider(14840);
    EXPECT_FALSE(board.locked());
    EXPECT_FALSE(board.snapshot().synthesizer.receiveKHz.has_value());
    synthesizer.INITIALIZE_PLL();
    EXPECT_TRUE(board.locked());
}

TEST_F(SimulatedSynthesizer, LatchesNothingFromAWordOfTheWrongLength) {
    tuneTo(137700.0);
    // One stray clock pulse before a divider word makes it 17 bits long.
    port.WritePort(state.PortBase, state.RestByte());
    port.WritePort(state.PortBase, state.RestByte() + value(DataLine::SynthClock));
    synthesizer.LoadDivider(14820);
    EXPECT_EQ(board.snapshot().synthesizer.dividerWord, 14840);

    // The count restarts at every latch, so the next word of the right length is taken.
    synthesizer.LoadDivider(14820);
    EXPECT_EQ(board.snapshot().synthesizer.dividerWord, 14820);
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 137500.0);
}

TEST_F(SimulatedSynthesizer, IgnoresClockPulsesWhileEnableIsHigh) {
    tuneTo(137700.0);  // ends with enable high
    const int enabled = state.RestByte() + value(DataLine::SynthEnable);
    port.WritePort(state.PortBase, enabled + value(DataLine::SynthClock));
    port.WritePort(state.PortBase, enabled);
    EXPECT_EQ(board.snapshot().synthesizer.bitsShifted, 0);

    synthesizer.LoadDivider(14820);
    EXPECT_EQ(board.snapshot().synthesizer.dividerWord, 14820);
}

TEST_F(SimulatedSynthesizer, ReportsAFrequencyOutsideTheBandAsUnlocked) {
    tuneTo(137700.0);
    synthesizer.LoadDivider(14000);  // 129.3 MHz
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 129300.0);
    EXPECT_FALSE(board.locked());

    // The 10-kHz divider word against the 5-kHz reference puts the oscillator at half the
    // frequency.
    useFiveKHzComparison();
    synthesizer.INITIALIZE_PLL();
    synthesizer.LoadDivider(14840);
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 63500.0);
    EXPECT_FALSE(board.locked());
}

TEST_F(SimulatedSynthesizer, AnswersAtTheSecondPortBaseToo) {
    state.PortBase = Lpt2Base;
    tuneTo(137700.0);
    EXPECT_TRUE(board.locked());
    EXPECT_EQ(board.snapshot().synthesizer.receiveKHz, 137700.0);
}

TEST_F(SimulatedSynthesizer, HearsNothingWhileNoPortIsChosen) {
    state.PortBase = 0;
    tuneTo(137700.0);
    EXPECT_EQ(board.snapshot(), SimulatedBoard{}.snapshot());
}

}  // namespace
}  // namespace orvex::sim
