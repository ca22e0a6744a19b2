#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Tuning : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
        powerOn();
    }
};

TEST_F(Tuning, KnobEndsShowTheBandEdgesAndLoadTheirWords) {
    receiver.Knob1_Change(0);
    EXPECT_EQ(panel().LedDisplay1.text, "132.000");
    EXPECT_EQ(panel().LGAUGE1.value, 132.0);
    receiver.Knob1_Change(1200);
    EXPECT_EQ(panel().LedDisplay1.text, "144.000");
    EXPECT_EQ(panel().LGAUGE1.value, 144.0);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14270}, {16, 15470}}));
    EXPECT_EQ(state().KnobPosition, 1200);
}

TEST_F(Tuning, KnobChangeMakesFiftyWritesEndingWithEnableHigh) {
    receiver.Knob1_Change(570);
    const std::vector<int> writes = dataWrites();
    ASSERT_EQ(writes.size(), 50u);
    EXPECT_EQ(writes.front(), 128);
    EXPECT_EQ(writes.back(), 160);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14840}}));
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
}

TEST_F(Tuning, PositionFromFrequencyRoundsHalvesToEvenInsideTheKnobRange) {
    EXPECT_EQ(receiver.PositionFromFrequency(137.7), 570);
    EXPECT_EQ(receiver.PositionFromFrequency(140.125), 812);
    EXPECT_EQ(receiver.PositionFromFrequency(143.995), 1200);
    EXPECT_EQ(receiver.PositionFromFrequency(132.0), 0);
    EXPECT_EQ(receiver.PositionFromFrequency(144.0), 1200);
    EXPECT_EQ(receiver.PositionFromFrequency(150.0), 1200);
    EXPECT_EQ(receiver.PositionFromFrequency(120.0), 0);
}

TEST_F(Tuning, PositionFromFrequencyLetsTheBinaryDifferenceDecideTies) {
    EXPECT_EQ(receiver.PositionFromFrequency(132.015), 1);
    EXPECT_EQ(receiver.PositionFromFrequency(132.025), 3);
}

TEST_F(Tuning, WheelDownAtTheBottomWritesNothing) {
    receiver.Wheel1_Change(1);
    receiver.Wheel1_Change(2);
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(panel().Knob1.position, 0);
}

TEST_F(Tuning, WheelCodesZeroAndThreeStepUpOneAndTwoStepDown) {
    receiver.Wheel1_Change(0);
    receiver.Wheel1_Change(3);
    EXPECT_EQ(panel().Knob1.position, 2);
    receiver.Wheel1_Change(2);
    EXPECT_EQ(panel().Knob1.position, 1);
    EXPECT_EQ(panel().LedDisplay1.text, "132.010");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14271}, {16, 14272}, {16, 14271}}));
}

TEST_F(Tuning, WheelUpAtTheTopReloadsTheSameWord) {
    receiver.Knob1_Change(1200);
    recorder.clear();
    receiver.Wheel1_Change(0);
    EXPECT_EQ(panel().Knob1.position, 1200);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 15470}}));
}

TEST_F(Tuning, WheelCodesFourAndAboveAreIgnored) {
    receiver.Knob1_Change(10);
    recorder.clear();
    for (const int code : {4, 5, 100, -1}) {
        receiver.Wheel1_Change(code);
    }
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(panel().Knob1.position, 10);
}

TEST_F(Tuning, WheelIsIgnoredWhileThePowerSwitchIsOff) {
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Wheel1_Change(0);
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(Tuning, StepButtonsStopAtTheEndsButStillRetune) {
    receiver.Command10_Click();
    EXPECT_EQ(panel().Knob1.position, 0);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14270}}));
    receiver.Knob1_Change(1200);
    recorder.clear();
    receiver.Command8_Click();
    EXPECT_EQ(panel().Knob1.position, 1200);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 15470}}));
    receiver.Command10_Click();
    EXPECT_EQ(panel().LedDisplay1.text, "143.990");
}

TEST_F(Tuning, FiveKilohertzStepShowsAndLoadsTheOddPosition) {
    receiver.Toggle9_Change(true);
    recorder.clear();
    receiver.Knob1_Change(1);
    EXPECT_EQ(panel().LedDisplay1.text, "132.005");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 28541}}));
    receiver.Knob1_Change(2400);
    EXPECT_EQ(panel().LedDisplay1.text, "144.000");
}

TEST_F(Tuning, TypedFrequencyMovesTheKnobAndTunes) {
    receiver.LedDisplay1_Entry("137.7");
    EXPECT_EQ(panel().Knob1.position, 570);
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14840}}));
    EXPECT_TRUE(messages.take().empty());
}

TEST_F(Tuning, TypedFrequencyOutsideTheBandIsRefusedWithAMessage) {
    for (const char* typed : {"145", "131.999", "", "13..7"}) {
        receiver.LedDisplay1_Entry(typed);
        const std::vector<std::string> told = messages.take();
        ASSERT_EQ(told.size(), 1u) << typed;
        EXPECT_NE(told[0].find("between 132.000 and 144.000 MHz"), std::string::npos);
    }
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(panel().LedDisplay1.text, "132.000");
}

TEST_F(Tuning, EndOfADragRaisesThePowerLineBeforeTuning) {
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Knob1_DragEnd(570);
    EXPECT_EQ(state().PowerBits, 128);
    const std::vector<int> writes = dataWrites();
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front() & 128, 128);
}

// Start-up takes the 5 kHz step from the file but keeps the 10 kHz comparison until power-on.
class TuningBeforePowerOn : public ReceiverTest {
protected:
    void SetUp() override {
        settings.set("STEP_FREQ", "5");
        startUp();
        choosePort();
    }
};

TEST_F(TuningBeforePowerOn, FiveKilohertzStepWithScaleOneSendsTheWholePartOfTheWord) {
    receiver.Knob1_Change(3);
    EXPECT_EQ(panel().LedDisplay1.text, "132.015");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14271}}));
}

}  // namespace
}  // namespace orvex::test
