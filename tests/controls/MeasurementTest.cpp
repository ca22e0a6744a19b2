#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Measurement : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
        powerOn();
    }
    void tick(int signal, int supply = 132) {
        board.setBytes(signal, supply);
        receiver.Timer1_Timer();
    }
};

TEST_F(Measurement, ATickIsEightyFourWritesAndThirtyTwoReads) {
    tick(100);
    EXPECT_EQ(recorder.count(Recorder::Kind::Write), 84u);
    EXPECT_EQ(recorder.count(Recorder::Kind::Read), 32u);
    EXPECT_EQ(recorder.pauses().size(), 2u);
    EXPECT_EQ(dataWrites().front(), 128);
}

TEST_F(Measurement, SignalBytesBecomeLevelTexts) {
    const std::vector<std::pair<int, std::string>> cases{{0, "-3.5"}, {2, "-3.28"}, {19, "-1.5"},
                                                         {38, "0.5"}, {51, "1.86"}, {255, "23.34"}};
    for (const auto& [byte, text] : cases) {
        tick(byte);
        EXPECT_EQ(panel().Text1, text) << byte;
        EXPECT_EQ(panel().Gauge1.needles[0], signalLevel(byte));
    }
}

TEST_F(Measurement, BarFollowsTheNeedleRoundedHalvesToEvenAndUnclamped) {
    const std::vector<std::pair<int, int>> cases{{19, -2}, {38, 0}, {57, 2}, {76, 4}, {255, 23}};
    for (const auto& [byte, bar] : cases) {
        tick(byte);
        EXPECT_EQ(panel().ind1.value, bar) << byte;
    }
}

TEST_F(Measurement, SupplyBytesMoveTheSecondNeedle) {
    const std::vector<std::pair<int, double>> cases{{0, 0}, {6, 0.55}, {132, 12}, {255, 23.18}};
    for (const auto& [byte, volts] : cases) {
        tick(38, byte);
        EXPECT_DOUBLE_EQ(panel().Gauge1.needles[1], volts) << byte;
        EXPECT_EQ(panel().Gauge1.selected, 0);
    }
}

TEST_F(Measurement, AThresholdAboveTheLevelMutesFromTheNextWrite) {
    receiver.HSlider3_Change(100);  // threshold 1
    tick(38);                       // level 0.5
    EXPECT_TRUE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 8);
    recorder.clear();
    tick(38);
    EXPECT_EQ(dataWrites().front(), 136);
}

TEST_F(Measurement, AThresholdBelowTheLevelUndoesAHandSetMute) {
    receiver.Toggle2_Change(true);
    tick(51);  // level 1.86, threshold 0
    EXPECT_FALSE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 0);
}

TEST_F(Measurement, AThresholdEqualToTheLevelLeavesTheMuteAlone) {
    receiver.HSlider3_Change(50);  // threshold 0.5
    receiver.Toggle2_Change(true);
    tick(38);  // level 0.5
    EXPECT_TRUE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 8);
    receiver.Toggle2_Change(false);
    tick(38);
    EXPECT_FALSE(panel().Toggle2.on);
    EXPECT_EQ(state().MuteBits, 0);
}

}  // namespace
}  // namespace orvex::test
