#include "support/ReceiverFixture.h"
#include "support/SynthSequences.h"

namespace orvex::test {
namespace {

class StartUp : public ReceiverTest {};

TEST_F(StartUp, WithoutASettingsFileStartsSilentlyWithTheStartValues) {
    receiver.Form_Load();
    EXPECT_TRUE(messages.take().empty());
    EXPECT_EQ(state().PortBase, 0);
    EXPECT_EQ(state().PowerBits, 0);
    EXPECT_EQ(state().MuteBits, 0);
    EXPECT_EQ(state().RefDivider, 800);
    EXPECT_EQ(state().DividerScale, 1);
    EXPECT_EQ(state().KnobPosition, 0);
    EXPECT_EQ(state().StepKHz, 10);
    EXPECT_EQ(state().OffFrequency, 132000.0);
    EXPECT_EQ(state().VolumeCode, 11);
    EXPECT_EQ(panel().Text5, "0");
    EXPECT_EQ(settings.saves, 0);
}

TEST_F(StartUp, SendsTheSynthesizerWordsOnARestByteOfZeroDroppedWhileNoPortIsChosen) {
    receiver.Form_Load();
    EXPECT_EQ(dataWrites(), InitializeOnRestZero);
    EXPECT_EQ(controlWrites(), (std::vector<int>{11}));  // the volume slider set from the file
    for (const Recorder::Event& event : recorder.events()) {
        if (event.kind != Recorder::Kind::Pause) {
            EXPECT_TRUE(event.access.dropped);
        }
    }
}

TEST_F(StartUp, LeavesThePanelDarkAndBothTimersStopped) {
    receiver.Form_Load();
    EXPECT_FALSE(panel().Timer1.enabled);
    EXPECT_FALSE(panel().Timer2.enabled);
    EXPECT_FALSE(panel().Knob1.enabled);
    EXPECT_EQ(panel().Knob1.face, colour::Grey);
    EXPECT_EQ(panel().Knob1.maximum, 1200);
    EXPECT_EQ(panel().LedDisplay1.background, colour::Black);
    EXPECT_EQ(panel().SSPanel1, colour::Black);
    EXPECT_EQ(panel().Gauge1.face, colour::Black);
    EXPECT_FALSE(panel().HSlider3.enabled);
    EXPECT_FALSE(panel().HSlider4.enabled);
    EXPECT_FALSE(panel().Command2.enabled);
    EXPECT_FALSE(panel().Command8.enabled);
    EXPECT_EQ(panel().Toggle8.offLamp, colour::Grey);
    EXPECT_EQ(panel().Toggle10.onLamp, colour::Grey);
    EXPECT_EQ(panel().Label6.text, colour::Grey);
    EXPECT_FALSE(panel().Toggle3.on);
    EXPECT_FALSE(panel().Toggle5.on);
}

TEST_F(StartUp, ReadsTheSquelchAsSliderMarkAndText) {
    settings.set("SQL", "0.25");
    receiver.Form_Load();
    EXPECT_EQ(panel().HSlider3.position, 250);
    EXPECT_EQ(panel().Gauge1.threshold, 2.5);
    EXPECT_EQ(panel().Text5, "2.5");
}

TEST_F(StartUp, TakesTheFiveKilohertzStepButLeavesTheRestForPowerOn) {
    settings.set("STEP_FREQ", "5");
    receiver.Form_Load();
    EXPECT_EQ(state().StepKHz, 5);
    EXPECT_EQ(state().DividerScale, 1);
    EXPECT_EQ(state().RefDivider, 800);
    EXPECT_EQ(receiver.KnobMax(), 1200);
}

TEST_F(StartUp, AppliesTheSavedVolumeEvenWhenItIsZero) {
    settings.set("AUDIO", "0");
    receiver.Form_Load();
    EXPECT_EQ(state().VolumeCode, 11);
    EXPECT_EQ(panel().HSlider4.position, 0);

    settings.set("AUDIO", "4");
    Receiver second{recorder, recorder, settings, messages};
    second.Form_Load();
    EXPECT_EQ(second.state().VolumeCode, 10);
    EXPECT_EQ(second.panel().HSlider4.position, 4);
}

TEST_F(StartUp, ReadsTheRememberedFrequencyAndRoundsTheStep) {
    settings.set("OFF_FREQUENCY", "137125");
    settings.set("STEP_FREQ", "100.4");
    receiver.Form_Load();
    EXPECT_EQ(state().OffFrequency, 137125.0);
    EXPECT_EQ(state().StepKHz, 100);
}

TEST_F(StartUp, ADamagedKeyGetsItsStartValueAndAMessageWhileTheGoodKeysAreKept) {
    settings.set("AUDIO", "5");
    settings.set("SQL", "0,25");
    settings.set("OFF_FREQUENCY", "137500");
    settings.set("STEP_FREQ", "7");
    receiver.Form_Load();
    EXPECT_EQ(panel().HSlider4.position, 5);
    EXPECT_EQ(panel().HSlider3.position, 0);
    EXPECT_EQ(state().OffFrequency, 137500.0);
    EXPECT_EQ(state().StepKHz, 10);
    const std::vector<std::string> told = messages.take();
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[0].find("SQL=0,25"), std::string::npos) << told[0];
    EXPECT_NE(told[1].find("STEP_FREQ=7"), std::string::npos) << told[1];
}

TEST_F(StartUp, RefusesValuesOutsideTheirRanges) {
    settings.set("AUDIO", "8");
    settings.set("SQL", "1.5");
    settings.set("OFF_FREQUENCY", "1e400");
    receiver.Form_Load();
    EXPECT_EQ(panel().HSlider4.position, 0);
    EXPECT_EQ(panel().HSlider3.position, 0);
    EXPECT_EQ(state().OffFrequency, 132000.0);
    EXPECT_EQ(messages.take().size(), 3u);
}

TEST_F(StartUp, ExitEndsWithABeepWithoutSwitchingOffOrSaving) {
    receiver.Form_Load();
    receiver.Toggle7_Change(true);
    recorder.clear();
    const int savesBefore = settings.saves;
    receiver.Toggle10_Change(true);
    EXPECT_EQ(panel().ending, Ending::Exit);
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(settings.saves, savesBefore);
    EXPECT_EQ(state().PowerBits, 128);
}

TEST_F(StartUp, ClosingTheWindowClosesTheAboutWindowAndEndsWithoutSaving) {
    receiver.Form_Load();
    receiver.Toggle3_Change(true);
    recorder.clear();
    receiver.Form_Unload();
    EXPECT_FALSE(panel().Form2.open);
    EXPECT_EQ(panel().ending, Ending::Quit);
    EXPECT_TRUE(recorder.events().empty());
    EXPECT_EQ(settings.saves, 0);
}

}  // namespace
}  // namespace orvex::test
