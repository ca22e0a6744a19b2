#include <string>
#include <tuple>
#include <vector>

#include "controls/SignalScale.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Readings : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
    }
};

TEST_F(Readings, TheDisplayedFrequencyIsEmptyUntilTheFirstPowerOn) {
    EXPECT_EQ(receiver.displayedKHz(), std::nullopt);
    EXPECT_EQ(receiver.offFrequencyKHz(), 132000.0);
    EXPECT_FALSE(receiver.poweredOn());
    EXPECT_TRUE(receiver.portChosen());
}

TEST_F(Readings, TheDisplayedFrequencyIsTheDisplaysDecimalTextInKilohertz) {
    powerOn();
    const std::vector<std::pair<const char*, std::int32_t>> cases{
        {"137.62", 137620}, {"144", 144000}, {"132.01", 132010}};
    for (const auto& [typed, kHz] : cases) {
        receiver.LedDisplay1_Entry(typed);
        EXPECT_EQ(receiver.displayedKHz(), kHz) << typed;
    }
}

TEST_F(Readings, TheSquelchDecisionOfTheLastTickIsKeptUntilPowerOff) {
    powerOn();
    receiver.HSlider3_Change(200);  // threshold 2
    board.setBytes(200, 132);       // a strong signal
    receiver.Timer1_Timer();
    EXPECT_TRUE(receiver.audioOpen());
    EXPECT_GT(receiver.measuredLevel(), 2.0);
    EXPECT_GT(receiver.measuredSupplyVolts(), 10.0);
    board.setBytes(0, 132);
    receiver.Timer1_Timer();
    EXPECT_FALSE(receiver.audioOpen());
    board.setBytes(200, 132);
    receiver.Timer1_Timer();
    receiver.Toggle7_Change(false);
    EXPECT_FALSE(receiver.audioOpen());
}

TEST_F(Readings, ChannelMemoriesReadAsARecallChecksThem) {
    settings.set("AUDIO_1", "4");
    settings.set("SQL_1", "0.25");
    settings.set("CHANNEL_1", "137100");
    settings.set("STEP_FREQ_1", "5");
    settings.set("AUDIO_2", "4");
    settings.set("CHANNEL_2", "150000");

    const ChannelMemory one = receiver.memory(1);
    EXPECT_EQ(one.status, ChannelMemory::Status::Valid);
    EXPECT_EQ(one.frequencyKHz, 137100.0);
    EXPECT_EQ(one.volumePosition, 4);
    EXPECT_EQ(one.squelch, 0.25);
    EXPECT_EQ(one.stepKHz, 5);
    EXPECT_EQ(receiver.memory(2).status, ChannelMemory::Status::Invalid);
    EXPECT_EQ(receiver.memory(3).status, ChannelMemory::Status::Empty);
    EXPECT_TRUE(messages.take().empty());
}

TEST(SignalScaleTest, ReadsTheMeterLevelAsAnSMeterWould) {
    // level, dB over S9, S-meter text: S9 at 9, 6 dB an S-unit, held to S0 and S9+60 dB.
    const std::vector<std::tuple<double, int, std::string>> table{
        {9.0, 0, "S9"},   {7.0, -12, "S7"},        {8.5, -3, "S8"},        {-2.44, -54, "S0"},
        {0.0, -54, "S0"}, {11.02, 12, "S9+12 dB"}, {25.0, 60, "S9+60 dB"},
    };
    for (const auto& [level, db, text] : table) {
        SCOPED_TRACE(level);
        EXPECT_EQ(dbOverS9(level), db);
        EXPECT_EQ(sUnitsText(level), text);
    }
}

}  // namespace
}  // namespace orvex::test
