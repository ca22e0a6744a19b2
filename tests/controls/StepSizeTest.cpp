#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class StepSize : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
        powerOn();
        receiver.Knob1_Change(570);  // 137.700
        recorder.clear();
    }
};

TEST_F(StepSize, HundredKilohertzKeepsPointingAtTheShownFrequency) {
    receiver.Toggle8_Change(true);
    EXPECT_EQ(panel().Knob1.position, 57);
    EXPECT_EQ(receiver.KnobMax(), 120);
    EXPECT_EQ(state().StepKHz, 100);
    EXPECT_EQ(panel().Toggle8.caption(), "100kHz");
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
    // the reference word stays, so no retune: only the control and reference words are sent
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 800}}));
}

TEST_F(StepSize, FiveKilohertzSwitchesTheComparisonFrequencyAndRetunes) {
    receiver.Toggle9_Change(true);
    EXPECT_EQ(panel().Knob1.position, 1140);
    EXPECT_EQ(receiver.KnobMax(), 2400);
    EXPECT_EQ(state().StepKHz, 5);
    EXPECT_EQ(state().DividerScale, 2);
    EXPECT_EQ(state().RefDivider, 1600);
    EXPECT_FALSE(panel().Toggle8.on);
    EXPECT_EQ(panel().Toggle8.caption(), "5kHz");
    EXPECT_TRUE(panel().Toggle9.on);
    EXPECT_EQ(panel().Toggle9.caption(), "Help");
    EXPECT_EQ(panel().Toggle9.onLamp, colour::LightGreen);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 1600}, {16, 29680}}));
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
}

TEST_F(StepSize, LeavingFiveKilohertzRetunesToTheNearestStep) {
    receiver.Toggle9_Change(true);
    receiver.Knob1_Change(1);  // 132.005
    recorder.clear();
    receiver.Toggle8_Change(true);
    EXPECT_EQ(panel().Knob1.position, 0);
    EXPECT_FALSE(panel().Toggle9.on);
    EXPECT_EQ(panel().Toggle9.offCaption, "Help");
    EXPECT_EQ(panel().LedDisplay1.text, "132.000");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 800}, {16, 14270}}));
    EXPECT_EQ(state().DividerScale, 1);
    EXPECT_EQ(state().RefDivider, 800);
}

TEST_F(StepSize, BackToTenKilohertzFromAHundred) {
    receiver.Toggle8_Change(true);
    receiver.Toggle8_Change(false);
    EXPECT_EQ(panel().Knob1.position, 570);
    EXPECT_EQ(receiver.KnobMax(), 1200);
    EXPECT_EQ(state().StepKHz, 10);
    EXPECT_EQ(panel().Toggle8.caption(), "10kHz");
}

TEST_F(StepSize, SwitchingFiveKilohertzOffKeepsTheStep) {
    receiver.Toggle9_Change(true);
    recorder.clear();
    receiver.Toggle9_Change(false);
    EXPECT_EQ(state().StepKHz, 5);
    EXPECT_EQ(state().RefDivider, 1600);
    EXPECT_EQ(panel().Toggle9.onCaption, "Help");
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(StepSize, WhileOffTheStepToggleOnlyResendsTheSynthesizerWords) {
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Toggle8_Change(true);
    EXPECT_EQ(state().StepKHz, 10);
    EXPECT_EQ(receiver.KnobMax(), 1200);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 800}}));
}

}  // namespace
}  // namespace orvex::test
