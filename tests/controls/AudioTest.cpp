#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Audio : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
    }
};

TEST_F(Audio, VolumePositionsWriteTheirCodesToTheControlRegister) {
    for (const int position : {0, 1, 2, 3, 4, 5, 6, 7}) {
        receiver.HSlider4_Change(position);
    }
    EXPECT_EQ(controlWrites(), (std::vector<int>{11, 3, 9, 1, 10, 2, 8, 0}));
    EXPECT_EQ(recorder.events().front().access.address, 890);
    EXPECT_EQ(state().VolumePosition, 7);
    EXPECT_EQ(state().VolumeCode, 0);
}

TEST_F(Audio, VolumeIsWrittenWhileTheReceiverIsOff) {
    ASSERT_FALSE(panel().Toggle7.on);
    receiver.HSlider4_Change(4);
    EXPECT_EQ(controlWrites(), (std::vector<int>{10}));
    EXPECT_TRUE(dataWrites().empty());
}

TEST_F(Audio, SquelchPositionsGiveThresholdTexts) {
    const std::vector<std::pair<int, std::string>> cases{
        {0, "0"}, {33, "0.33"}, {250, "2.5"}, {1000, "10"}, {120, "1.2"}};
    for (const auto& [position, text] : cases) {
        receiver.HSlider3_Change(position);
        EXPECT_EQ(panel().Text5, text);
        EXPECT_DOUBLE_EQ(panel().Gauge1.threshold, position / 100.0);
    }
    EXPECT_TRUE(recorder.events().empty());
}

TEST_F(Audio, MuteChangesOnlyTheMuteLineWithoutWriting) {
    receiver.Toggle2_Change(true);
    EXPECT_EQ(state().MuteBits, 8);
    EXPECT_TRUE(recorder.events().empty());
    receiver.Command8_Click();  // the next data-register write carries the mute line
    EXPECT_EQ(dataWrites().front(), 8);
    receiver.Toggle2_Change(false);
    EXPECT_EQ(state().MuteBits, 0);
}

}  // namespace
}  // namespace orvex::test
