#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Scanner : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
        powerOn();
        receiver.Toggle5_Change(true);
    }
    void level(int byte) {
        board.setBytes(byte, 132);
        receiver.Timer1_Timer();
        recorder.clear();
    }
};

TEST_F(Scanner, TheScanSwitchRunsTheScanTimer) {
    EXPECT_TRUE(panel().Timer2.enabled);
    receiver.Toggle5_Change(false);
    EXPECT_FALSE(panel().Timer2.enabled);
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(Scanner, HoldsOnASignalAboveTheThresholdAndOpensTheAudio) {
    receiver.HSlider3_Change(500);  // threshold 5
    level(255);                     // 23.34
    receiver.Toggle2_Change(true);
    receiver.Timer2_Timer();
    EXPECT_FALSE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 0);
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(panel().Knob1.position, 0);
}

TEST_F(Scanner, StepsMutedWhenTheLevelIsNotAboveTheThreshold) {
    receiver.HSlider3_Change(50);  // threshold 0.5
    level(38);                     // 0.5: equal steps on
    receiver.Timer2_Timer();
    EXPECT_TRUE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 8);
    EXPECT_EQ(panel().Knob1.position, 1);
    EXPECT_EQ(dataWrites().front(), 136);  // the tuning load carries the mute line
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 14271}}));
}

TEST_F(Scanner, WrapsFromTheTopOfTheBandToTheBottomWithinOneTick) {
    level(0);  // -3.5, below every threshold
    receiver.Knob1_Change(1199);
    recorder.clear();
    receiver.Timer2_Timer();
    EXPECT_EQ(panel().Knob1.position, 0);
    EXPECT_EQ(panel().LedDisplay1.text, "132.000");
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 15470}, {16, 14270}}));
}

TEST_F(Scanner, StartingAtTheTopStaysThereForTheStepThenWraps) {
    level(0);
    receiver.Knob1_Change(1200);
    recorder.clear();
    receiver.Timer2_Timer();
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{16, 15470}, {16, 14270}}));
    EXPECT_EQ(panel().Knob1.position, 0);
}

TEST_F(Scanner, GoesOnWhileTheReceiverIsOffWithTheLastLevel) {
    level(255);
    receiver.HSlider3_Change(1000);  // threshold 10, below the level 23.34
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Timer2_Timer();
    EXPECT_TRUE(recorder.events().empty());  // holds on the remembered level
    receiver.HSlider3_Change(0);
    receiver.Toggle7_Change(true);
    level(0);
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Timer2_Timer();
    ASSERT_FALSE(dataWrites().empty());
    EXPECT_EQ(dataWrites().front(), 8);  // power line low, mute line high
    EXPECT_EQ(words().size(), 1u);
}

TEST_F(Scanner, UsesTheStepInForce) {
    level(0);
    receiver.Toggle8_Change(true);  // 100 kHz
    recorder.clear();
    receiver.Timer2_Timer();
    EXPECT_EQ(panel().LedDisplay1.text, "132.100");
}

}  // namespace
}  // namespace orvex::test
