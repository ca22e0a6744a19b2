#include "controls/PanelLooks.h"
#include "controls/Receiver.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// What start-up assumes when a key is missing (a first run has no file) or damaged.
constexpr double StartAudio = 0;
constexpr double StartSquelch = 0;
constexpr double StartOffFrequencyKHz = BandBottomKHz;
constexpr double StartStepKHz = NormalStep.stepKHz;

}  // namespace

void Receiver::Form_Load() {
    state_.MuteBits = 0;
    state_.RefDivider = NormalStep.refDivider;
    state_.DividerScale = NormalStep.dividerScale;
    INITIALIZE_PLL();  // on a resting byte of 0: power and mute lines low
    panel_.Timer1.enabled = false;
    panel_.Toggle5.on = false;
    panel_.Timer2.enabled = false;

    applyLook(panel_, StartUpLook);  // dark, as power-off leaves the panel
    state_.StepKHz = NormalStep.stepKHz;
    panel_.Knob1.maximum = NormalStep.knobMax;
    panel_.Toggle8.on = false;

    // The operator's settings of the last power-off, each key on its own
    const SettingsSnapshot file = settings_.load();
    setVolumeSlider(
        static_cast<int>(settings_.readOr(file, "AUDIO", SettingKind::Volume, StartAudio)));
    const double squelch = settings_.readOr(file, "SQL", SettingKind::Squelch, StartSquelch);
    panel_.HSlider3.position = squelchPositionFromFile(squelch);
    ApplySquelch();
    state_.OffFrequency =
        settings_.readOr(file, "OFF_FREQUENCY", SettingKind::Frequency, StartOffFrequencyKHz);
    state_.StepKHz = wrap16(static_cast<long long>(
        settings_.readOr(file, "STEP_FREQ", SettingKind::Step, StartStepKHz)));
    panel_.Toggle3.on = false;
}

// Closing the main window closes the About window with it; nothing is switched off or saved.
void Receiver::Form_Unload() {
    if (panel_.Form2.open) {
        closeForm2();
    }
    panel_.ending = Ending::Quit;
}

// Exit ends the program at once with a beep, whatever the switch's new state.
void Receiver::Toggle10_Change(bool on) {
    panel_.Toggle10.on = on;
    panel_.ending = Ending::Exit;
}

void Receiver::Toggle4_Change(bool on) {
    panel_.Toggle4.on = on;
}

void Receiver::Toggle1_Change(bool on) {
    panel_.Toggle1.on = on;
}

}  // namespace orvex
