#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

class Memories : public ReceiverTest {
protected:
    void SetUp() override {
        startUp();
        choosePort();
        powerOn();
    }
    // 137.125 MHz at 5 kHz, volume 4, squelch 120
    void setUpChannelTwo() {
        receiver.Toggle9_Change(true);
        receiver.Knob1_Change(receiver.PositionFromFrequency(137.125));
        receiver.HSlider4_Change(4);
        receiver.HSlider3_Change(120);
        recorder.clear();
    }
};

TEST_F(Memories, StoreWritesTheFourKeysInOneSaveAndFallsBackToRead) {
    setUpChannelTwo();
    receiver.Toggle4_Change(true);
    receiver.Command3_Click();
    const SettingsStore::Values expected{
        {"AUDIO_2", "4"}, {"SQL_2", "0.12"}, {"CHANNEL_2", "137125"}, {"STEP_FREQ_2", "5"}};
    EXPECT_EQ(settings.lastSave, expected);
    EXPECT_EQ(settings.saves, 1);
    EXPECT_FALSE(panel().Toggle4.on);
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 1600}}));
    EXPECT_TRUE(controlWrites().empty());
}

TEST_F(Memories, RecallRetunesFromAnyStep) {
    setUpChannelTwo();
    receiver.Toggle4_Change(true);
    receiver.Command3_Click();
    receiver.Toggle8_Change(true);  // 100 kHz
    receiver.HSlider4_Change(7);
    receiver.HSlider3_Change(0);
    recorder.clear();

    receiver.Command3_Click();
    EXPECT_EQ(panel().LedDisplay1.text, "137.125");
    EXPECT_EQ(state().StepKHz, 5);
    EXPECT_EQ(state().DividerScale, 2);
    EXPECT_EQ(state().RefDivider, 1600);
    EXPECT_EQ(panel().Knob1.position, 1025);
    EXPECT_EQ(panel().HSlider4.position, 4);
    EXPECT_EQ(panel().HSlider3.position, 120);
    EXPECT_EQ(panel().Text5, "1.2");
    EXPECT_EQ(panel().Toggle8.caption(), "5kHz");
    EXPECT_EQ(words(),
              (std::vector<LatchedWord>{{8, 71}, {15, 800}, {8, 71}, {15, 1600}, {16, 29565}}));
}

TEST_F(Memories, RecallEndsWithTheVolumeBackAfterASilentPause) {
    settings.set("AUDIO_1", "4");
    settings.set("SQL_1", "0");
    settings.set("CHANNEL_1", "137700");
    settings.set("STEP_FREQ_1", "10");
    receiver.Command2_Click();
    EXPECT_EQ(controlWrites(), (std::vector<int>{10, 11, 10}));
    const auto& events = recorder.events();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 2].kind, Recorder::Kind::Pause);
    EXPECT_EQ(events[events.size() - 2].length, std::chrono::microseconds(10000));
    EXPECT_EQ(dataWrites().back(), 128 + 32);  // enable left high after the divider word
    EXPECT_EQ(words().back(), (LatchedWord{16, 14840}));
}

TEST_F(Memories, RecallAtTenKilohertzFromFiveLoadsTheTenKilohertzWord) {
    settings.set("AUDIO_3", "2");
    settings.set("SQL_3", "0.5");
    settings.set("CHANNEL_3", "140125");
    settings.set("STEP_FREQ_3", "10");
    receiver.Toggle9_Change(true);
    recorder.clear();
    receiver.Command4_Click();
    EXPECT_EQ(state().RefDivider, 800);
    EXPECT_EQ(state().DividerScale, 1);
    EXPECT_EQ(panel().Knob1.position, 812);
    EXPECT_EQ(words().back(),
              (LatchedWord{16, 15082}));  // 140125 / 10 rounded half to the whole part
}

TEST_F(Memories, RecallOfAnEmptyMemoryChangesNothingAndSaysSo) {
    receiver.Knob1_Change(570);
    recorder.clear();
    receiver.Command2_Click();
    EXPECT_EQ(messages.take(), (std::vector<std::string>{"Channel 1 is empty"}));
    EXPECT_EQ(words(), (std::vector<LatchedWord>{{8, 71}, {15, 800}}));
    EXPECT_TRUE(controlWrites().empty());
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
}

TEST_F(Memories, RecallOfADamagedMemoryChangesNothingAndSaysSo) {
    settings.set("AUDIO_2", "4");
    settings.set("SQL_2", "0.12");
    settings.set("CHANNEL_2", "150000");
    settings.set("STEP_FREQ_2", "5");
    receiver.Command3_Click();
    EXPECT_EQ(messages.take(), (std::vector<std::string>{"Channel 2 holds invalid values"}));
    EXPECT_EQ(state().StepKHz, 10);
    EXPECT_EQ(panel().HSlider4.position, 0);

    settings.set("CHANNEL_2", "137125");
    std::erase_if(settings.entries, [](const auto& entry) { return entry.first == "AUDIO_2"; });
    receiver.Command3_Click();
    EXPECT_EQ(messages.take(), (std::vector<std::string>{"Channel 2 holds invalid values"}));
}

TEST_F(Memories, RecallReadsTheFileAfresh) {
    settings.set("AUDIO_1", "1");
    settings.set("SQL_1", "0");
    settings.set("CHANNEL_1", "137500");
    settings.set("STEP_FREQ_1", "100");
    receiver.Command2_Click();
    EXPECT_EQ(panel().LedDisplay1.text, "137.500");
    settings.set("CHANNEL_1", "138000");
    receiver.Command2_Click();
    EXPECT_EQ(panel().LedDisplay1.text, "138.000");
    EXPECT_EQ(panel().Knob1.position, 60);
    EXPECT_TRUE(panel().Toggle8.on);
}

TEST_F(Memories, StoreAndRecallOfMemoryThreeTouchOnlyItsOwnKeys) {
    receiver.Toggle4_Change(true);
    receiver.Command4_Click();
    for (const auto& [key, text] : settings.lastSave) {
        EXPECT_EQ(key.substr(key.size() - 2), "_3");
    }
    EXPECT_EQ(settings.lastSave.size(), 4u);
}

}  // namespace
}  // namespace orvex::test
