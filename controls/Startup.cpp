#include "controls/Receiver.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// What start-up assumes when a key is missing (a first run has no file) or damaged.
constexpr double StartAudio = 0;
constexpr double StartSquelch = 0;
constexpr double StartOffFrequencyKHz = 132000;
constexpr double StartStepKHz = 10;

}  // namespace

void Receiver::Form_Load() {
    state_.MuteBits = 0;
    state_.RefDivider = 800;
    state_.DividerScale = 1;
    INITIALIZE_PLL();  // on a resting byte of 0: power and mute lines low
    panel_.Timer1.enabled = false;
    panel_.Toggle5.on = false;
    panel_.Timer2.enabled = false;

    // Dark frequency scale, dial and display
    panel_.LGAUGE1.background = colour::Black;
    panel_.LGAUGE1.bar = colour::Black;
    panel_.LGAUGE1.scale = colour::Black;
    panel_.LGAUGE1.pointer = colour::Black;
    DialModel& dial = panel_.Gauge1;
    dial.face = colour::Black;
    dial.scale = colour::Black;
    dial.majorStep = 0.0;
    dial.minorStep = 0.0;
    dial.labelsVisible = false;
    dial.needles = {0.0, 0.0};
    dial.selected = 0;
    panel_.LedDisplay1.background = colour::Black;
    panel_.LedDisplay1.unlit = colour::Black;
    panel_.LedDisplay1.segment = colour::Black;

    panel_.Knob1.face = colour::Grey;
    panel_.Knob1.marker = colour::Grey;
    panel_.Knob1.enabled = false;
    for (ToggleModel* toggle :
         {&panel_.Toggle4, &panel_.Toggle9, &panel_.Toggle1, &panel_.Toggle2}) {
        toggle->on = false;
    }
    for (ButtonModel* button : {&panel_.Command2, &panel_.Command3, &panel_.Command4,
                                &panel_.Command8, &panel_.Command10}) {
        button->enabled = false;
    }
    panel_.Frame4Caption = colour::Grey;
    panel_.HSlider3.enabled = false;
    panel_.HSlider4.enabled = false;
    panel_.Label4.text = colour::Grey;
    panel_.Label5.text = colour::Black;
    panel_.Label5.background = colour::Black;
    panel_.Label6.text = colour::Grey;
    panel_.Label7.text = colour::Grey;
    panel_.Label8.text = colour::Grey;
    panel_.SSPanel1 = colour::Black;
    state_.StepKHz = 10;
    panel_.Knob1.maximum = 1200;
    panel_.Toggle8.on = false;
    panel_.Toggle4.offLamp = colour::Grey;
    panel_.Toggle8.offLamp = colour::Grey;
    panel_.Toggle8.onLamp = colour::Grey;
    panel_.Toggle10.onLamp = colour::Grey;

    // The operator's settings of the last power-off, each key on its own
    const SettingsSnapshot file = settings_.load();
    setVolumeSlider(
        static_cast<int>(settings_.readOr(file, "AUDIO", SettingKind::Volume, StartAudio)));
    const double squelch = settings_.readOr(file, "SQL", SettingKind::Squelch, StartSquelch);
    panel_.HSlider3.position = wrap16(roundHalfEven(squelch * 1000.0));
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
