#include "support/ReceiverFixture.h"

namespace orvex::test {
namespace {

using std::chrono::microseconds;

class Power : public ReceiverTest {
protected:
    void SetUp() override {
        settings.set("AUDIO", "4");
        settings.set("OFF_FREQUENCY", "137500");
        settings.set("STEP_FREQ", "10");
    }
    void ready() {
        startUp();
        choosePort();
    }
};

TEST_F(Power, OnRestoresTheRememberedFrequencyAndLoadsItsWord) {
    ready();
    receiver.Toggle7_Change(true);
    EXPECT_EQ(panel().LedDisplay1.text, "137.500");
    EXPECT_EQ(panel().LGAUGE1.value, 137.5);
    EXPECT_EQ(words(),
              (std::vector<LatchedWord>{{8, 71}, {15, 800}, {8, 71}, {15, 800}, {16, 14820}}));
    EXPECT_EQ(panel().Knob1.position, 550);
    EXPECT_EQ(state().PowerBits, 128);
}

TEST_F(Power, OnKeepsTheAudioSilentUntilTheSynthesizerHasSettled) {
    ready();
    receiver.Toggle7_Change(true);
    EXPECT_EQ(controlWrites(), (std::vector<int>{11, 11, 11, 10}));

    const auto& events = recorder.events();
    ASSERT_GE(events.size(), 4u);
    const auto tail = std::vector<Recorder::Event>(events.end() - 4, events.end());
    const std::vector<Recorder::Event> expected{
        {Recorder::Kind::Write, {888, Register::Data, 128, false}, {}},
        {Recorder::Kind::Write, {890, Register::Control, 11, false}, {}},
        {Recorder::Kind::Pause, {}, microseconds(100000)},
        {Recorder::Kind::Write, {890, Register::Control, 10, false}, {}},
    };
    EXPECT_EQ(tail, expected);
}

TEST_F(Power, OnLightsThePanelAndStartsTheMeasurement) {
    ready();
    receiver.Toggle7_Change(true);
    EXPECT_TRUE(panel().Timer1.enabled);
    EXPECT_TRUE(panel().ind1.enabled);
    EXPECT_TRUE(panel().Knob1.enabled);
    EXPECT_EQ(panel().Knob1.face, colour::Red);
    EXPECT_EQ(panel().LedDisplay1.background, colour::Cyan);
    EXPECT_EQ(panel().Gauge1.face, colour::Cyan);
    EXPECT_EQ(panel().Gauge1.scale, colour::Olive);
    EXPECT_TRUE(panel().Command4.enabled);
    EXPECT_TRUE(panel().HSlider4.enabled);
    EXPECT_EQ(panel().Label4.text, colour::Teal);
    EXPECT_EQ(panel().Label8.text, colour::Olive);
    EXPECT_EQ(panel().Toggle4.offLamp, colour::LightGreen);
    EXPECT_FALSE(panel().Toggle8.on);
    EXPECT_EQ(panel().Toggle8.offCaption, "10kHz");
    EXPECT_EQ(panel().Toggle8.onCaption, "10kHz");
}

TEST_F(Power, OnWithTheFiveKilohertzStepInitializesThreeTimes) {
    settings.set("STEP_FREQ", "5");
    ready();
    receiver.Toggle7_Change(true);
    EXPECT_EQ(words(),
              (std::vector<LatchedWord>{
                  {8, 71}, {15, 800}, {8, 71}, {15, 800}, {8, 71}, {15, 1600}, {16, 29640}}));
    EXPECT_EQ(state().RefDivider, 1600);
    EXPECT_EQ(state().DividerScale, 2);
    EXPECT_EQ(receiver.KnobMax(), 2400);
    EXPECT_EQ(panel().Knob1.position, 1100);
    EXPECT_EQ(panel().Toggle8.caption(), "5kHz");
    EXPECT_FALSE(panel().Toggle9.on);
    EXPECT_FALSE(panel().Toggle4.on);
}

TEST_F(Power, OnWithTheHundredKilohertzStepTurnsTheStepToggleOn) {
    settings.set("STEP_FREQ", "100");
    ready();
    receiver.Toggle7_Change(true);
    EXPECT_TRUE(panel().Toggle8.on);
    EXPECT_EQ(panel().Toggle8.offCaption, "100kHz");
    EXPECT_EQ(panel().Toggle8.onCaption, "100kHz");
    EXPECT_EQ(receiver.KnobMax(), 120);
    EXPECT_EQ(panel().Knob1.position, 55);
    EXPECT_EQ(state().RefDivider, 800);
}

TEST_F(Power, OnWithNoPortChosenSaysSo) {
    startUp();
    receiver.Toggle7_Change(true);
    EXPECT_EQ(
        messages.take(),
        (std::vector<std::string>{"No printer port chosen: open About and choose LPT1 or LPT2"}));
    for (const Recorder::Event& event : recorder.events()) {
        if (event.kind != Recorder::Kind::Pause) {
            EXPECT_TRUE(event.access.dropped);
        }
    }
}

TEST_F(Power, OffSilencesAndUnpowersTheBoard) {
    ready();
    powerOn();
    receiver.Toggle2_Change(false);
    receiver.Toggle7_Change(false);
    const std::vector<Recorder::Event> expected{
        {Recorder::Kind::Write, {890, Register::Control, 11, false}, {}},
        {Recorder::Kind::Write, {890, Register::Control, 11, false}, {}},
        {Recorder::Kind::Write, {888, Register::Data, 8, false}, {}},
    };
    EXPECT_EQ(recorder.events(), expected);
    EXPECT_EQ(state().PowerBits, 0);
    EXPECT_EQ(state().MuteBits, 8);
    EXPECT_FALSE(panel().Timer1.enabled);
    EXPECT_FALSE(panel().ind1.enabled);
    EXPECT_EQ(panel().ind1.value, 0);
    EXPECT_FALSE(panel().Toggle2.on);
    EXPECT_FALSE(panel().Knob1.enabled);
    EXPECT_EQ(panel().LedDisplay1.background, colour::Black);
    EXPECT_EQ(panel().Label5.text, colour::Black);
}

TEST_F(Power, OffSavesTheFiveKeysInOneSave) {
    ready();
    powerOn();
    receiver.Toggle9_Change(true);                                   // 5 kHz
    receiver.Knob1_Change(receiver.PositionFromFrequency(137.125));  // 137.125
    receiver.HSlider3_Change(250);
    receiver.HSlider4_Change(3);
    const int savesBefore = settings.saves;
    receiver.Toggle7_Change(false);
    EXPECT_EQ(settings.saves, savesBefore + 1);
    const SettingsStore::Values expected{{"AUDIO", "3"},
                                         {"SQL", "0.25"},
                                         {"OFF_FREQUENCY", "137125"},
                                         {"STEP_FREQ", "5"},
                                         {"PORT", "888"}};
    EXPECT_EQ(settings.lastSave, expected);
    EXPECT_EQ(state().OffFrequency, 137125.0);
}

TEST_F(Power, TheTwinLooksDifferOnlyWhereTheyShould) {
    ready();
    powerOn();
    receiver.Toggle9_Change(true);
    receiver.Toggle7_Change(false);
    EXPECT_TRUE(panel().Toggle9.on);  // off leaves the fine-step switch as it is
    EXPECT_EQ(panel().Toggle9.onLamp, colour::Grey);
    EXPECT_EQ(panel().Toggle4.offLamp, colour::Grey);
    receiver.Toggle7_Change(true);
    EXPECT_FALSE(panel().Toggle9.on);  // on switches it off, lamps untouched
    EXPECT_EQ(panel().Toggle9.onLamp, colour::Grey);
    EXPECT_EQ(panel().Toggle4.offLamp, colour::LightGreen);
}

TEST_F(Power, OffRemembersTheShownFrequencyForTheNextPowerOn) {
    ready();
    powerOn();
    receiver.Knob1_Change(570);
    receiver.Toggle7_Change(false);
    recorder.clear();
    receiver.Toggle7_Change(true);
    EXPECT_EQ(panel().LedDisplay1.text, "137.700");
    EXPECT_EQ(words().back(), (LatchedWord{16, 14840}));
}

}  // namespace
}  // namespace orvex::test
