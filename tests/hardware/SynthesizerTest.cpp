#include <gtest/gtest.h>

#include "hardware/Recorder.h"
#include "hardware/Synthesizer.h"
#include "support/SynthSequences.h"

namespace orvex {
namespace {

using std::chrono::microseconds;

class SynthesizerLoading : public ::testing::Test {
protected:
    SynthesizerLoading() {
        state.PortBase = Lpt1Base;
        state.RefDivider = 800;
    }

    ReceiverState state;
    Recorder recorder;
    Port port{recorder, state};
    Synthesizer synthesizer{state, port, recorder};
};

TEST_F(SynthesizerLoading, InitializeSendsControlWordThenReferenceWordOnThePoweredRestByte) {
    state.PowerBits = 128;
    synthesizer.INITIALIZE_PLL();

    // clang-format off
    const std::vector<int> expected{
        128,
        // control word 71 = 01000111, each bit: rest, data, clock high, clock low
        128, 128, 144, 128,  128, 192, 208, 192,  128, 128, 144, 128,  128, 128, 144, 128,
        128, 128, 144, 128,  128, 192, 208, 192,  128, 192, 208, 192,  128, 192, 208, 192,
        160,  // enable: latch the control word
        128,  // enable low after the pause
        // reference word 800 = 000001100100000
        128, 144, 128,  128, 144, 128,  128, 144, 128,  128, 144, 128,  128, 144, 128,
        192, 208, 192,  192, 208, 192,  128, 144, 128,  128, 144, 128,  192, 208, 192,
        128, 144, 128,  128, 144, 128,  128, 144, 128,  128, 144, 128,  128, 144, 128,
        160,  // enable: latch the reference word
    };
    // clang-format on
    EXPECT_EQ(recorder.writes(Register::Data), expected);
}

TEST_F(SynthesizerLoading, InitializePausesOnceBetweenTheTwoWords) {
    synthesizer.INITIALIZE_PLL();
    const auto& events = recorder.events();
    ASSERT_EQ(events.size(), 82u);
    EXPECT_EQ(events[34].kind, Recorder::Kind::Pause);
    EXPECT_EQ(events[34].length, microseconds(1000));
    EXPECT_EQ(events[33].access.value, 32);  // after the control word's enable
}

TEST_F(SynthesizerLoading, InitializeCarriesTheMuteLineWhenMuted) {
    state.PowerBits = 128;
    state.MuteBits = 8;
    synthesizer.INITIALIZE_PLL();

    // clang-format off
    const std::vector<int> expected{
        136,
        136, 136, 152, 136,  136, 200, 216, 200,  136, 136, 152, 136,  136, 136, 152, 136,
        136, 136, 152, 136,  136, 200, 216, 200,  136, 200, 216, 200,  136, 200, 216, 200,
        168,
        136,
        136, 152, 136,  136, 152, 136,  136, 152, 136,  136, 152, 136,  136, 152, 136,
        200, 216, 200,  200, 216, 200,  136, 152, 136,  136, 152, 136,  200, 216, 200,
        136, 152, 136,  136, 152, 136,  136, 152, 136,  136, 152, 136,  136, 152, 136,
        168,
    };
    // clang-format on
    EXPECT_EQ(recorder.writes(Register::Data), expected);
}

TEST_F(SynthesizerLoading, InitializeWhileOffUsesARestByteOfZero) {
    synthesizer.INITIALIZE_PLL();
    EXPECT_EQ(recorder.writes(Register::Data), test::InitializeOnRestZero);
}

TEST_F(SynthesizerLoading, LoadDividerShiftsSixteenBitsAndLatches) {
    state.PowerBits = 128;
    synthesizer.LoadDivider(14270);

    // clang-format off
    const std::vector<int> expected{
        128,
        // 14270 = 0011011110111110
        128, 144, 128,  128, 144, 128,  192, 208, 192,  192, 208, 192,
        128, 144, 128,  192, 208, 192,  192, 208, 192,  192, 208, 192,
        192, 208, 192,  128, 144, 128,  192, 208, 192,  192, 208, 192,
        192, 208, 192,  192, 208, 192,  192, 208, 192,  128, 144, 128,
        160,
    };
    // clang-format on
    EXPECT_EQ(recorder.writes(Register::Data), expected);
    EXPECT_TRUE(recorder.pauses().empty());
    EXPECT_EQ(state.SerialBit, 0);  // the last bit sent
}

TEST_F(SynthesizerLoading, NothingReachesThePortWhileNoPortIsChosen) {
    state.PortBase = 0;
    synthesizer.INITIALIZE_PLL();
    synthesizer.LoadDivider(14270);
    ASSERT_EQ(recorder.count(Recorder::Kind::Write), 131u);
    for (const Recorder::Event& event : recorder.events()) {
        if (event.kind == Recorder::Kind::Write) {
            EXPECT_TRUE(event.access.dropped);
        }
    }
}

TEST(DividerWord, KnobTuningGivesTheWordsOfTheTuningTable) {
    EXPECT_EQ(dividerWord(knobDividerValue(0, 10, 1)), 14270);
    EXPECT_EQ(dividerWord(knobDividerValue(1200, 10, 1)), 15470);
    EXPECT_EQ(dividerWord(knobDividerValue(57, 100, 1)), 14840);
    EXPECT_EQ(dividerWord(knobDividerValue(1, 5, 2)), 28541);
    EXPECT_EQ(dividerWord(knobDividerValue(2400, 5, 2)), 30940);
}

TEST(DividerWord, PowerOnGivesTheWordForTheRememberedFrequency) {
    EXPECT_EQ(dividerWord(powerOnDividerValue(137125, 2)), 29565);
    EXPECT_EQ(dividerWord(powerOnDividerValue(137125, 1)), 14782);
    EXPECT_EQ(dividerWord(powerOnDividerValue(137500, 1)), 14820);
}

TEST(DividerWord, AHalfTakesTheWholePartRatherThanRounding) {
    EXPECT_EQ(dividerWord(powerOnDividerValue(137135, 1)), 14783);  // X = 14783.5
    EXPECT_EQ(dividerWord(knobDividerValue(3, 5, 1)), 14271);       // X = 14271.5
    EXPECT_EQ(dividerWord(14782.5), 14782);
    EXPECT_EQ(dividerWord(14782.75), 14783);
    EXPECT_EQ(dividerWord(14782.25), 14782);
}

TEST(DividerWord, SendsOnlyTheLowSixteenBits) {
    EXPECT_EQ(dividerWord(65536.0 + 14270.0), 14270);
}

TEST(DividerWord, RecallTakesTheDisplayedFrequency) {
    EXPECT_EQ(dividerWord(recallDividerValue(137.125, 2)), 29565);
    EXPECT_EQ(dividerWord(recallDividerValue(137.7, 1)), 14840);
    EXPECT_EQ(dividerWord(recallDividerValue(132.0, 1)), 14270);
}

}  // namespace
}  // namespace orvex
