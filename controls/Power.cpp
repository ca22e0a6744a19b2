#include "controls/PanelLooks.h"
#include "controls/Receiver.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/Messages.h"
#include "core/NumberText.h"

namespace orvex {

void Receiver::FORM_ON_INI() {
    applyLook(panel_, PoweredOnLook);
}

void Receiver::FORM_OFF_INI() {
    applyLook(panel_, PoweredOffLook);
}

// Puts the step toggle, the divider scale, the knob's range and its position in line with a
// step of 100, 10 or 5 kHz; any other step leaves them all as they are. The 5 kHz step is shown as
// the step toggle's caption in both states, its on/off state untouched.
void Receiver::selectStepTable(std::int16_t stepKHz, double shownMHz) {
    const StepRow* row = findStep(stepKHz);
    if (row == nullptr) {
        return;
    }
    if (row != &FineStep) {
        panel_.Toggle8.on = row == &CoarseStep;
    }
    panel_.Toggle8.offCaption = row->caption;
    panel_.Toggle8.onCaption = row->caption;
    state_.DividerScale = row->dividerScale;
    state_.StepKHz = row->stepKHz;
    panel_.Knob1.maximum = row->knobMax;
    panel_.Knob1.position = PositionFromFrequency(shownMHz);
}

void Receiver::restoreStep(double shownMHz) {
    if (state_.StepKHz == FineStep.stepKHz) {
        state_.RefDivider = FineStep.refDivider;
        INITIALIZE_PLL();
    }
    selectStepTable(state_.StepKHz, shownMHz);
}

void Receiver::Toggle7_Change(bool on) {
    panel_.Toggle7.on = on;
    const int base = state_.PortBase;
    const int control = base + value(Register::Control);
    port_.WritePort(control, SilentVolumeCode);
    if (on) {
        if (state_.PortBase == 0) {
            messages_.post(NoPortChosen);
        }
        state_.PowerBits = value(DataLine::Power);
        port_.WritePort(control, SilentVolumeCode);
        INITIALIZE_PLL();
        INITIALIZE_PLL();
        setShownFrequency(mhzFromKHz(state_.OffFrequency));
        const double shown = shownFrequency();
        FORM_ON_INI();
        restoreStep(shown);
        synthesizer_.LoadDivider(
            dividerWord(powerOnDividerValue(state_.OffFrequency, state_.DividerScale)));
        panel_.ind1.enabled = true;
        panel_.Timer1.enabled = true;
        port_.WritePort(base, state_.RestByte());
        port_.WritePort(control, SilentVolumeCode);
        delay_.pause(pause::PowerOnSettling);  // the synthesizer settles while the audio is silent
        port_.WritePort(control, state_.VolumeCode);
        return;
    }
    port_.WritePort(control, SilentVolumeCode);
    state_.PowerBits = 0;
    state_.MuteBits = value(DataLine::Mute);
    port_.WritePort(base, value(DataLine::Mute));
    synthesizer_.forgetLatched();  // the unpowered chip loses its registers
    panel_.Toggle2.on = false;
    audioOpen_ = false;
    panel_.Timer1.enabled = false;
    state_.OffFrequency = kHzFromMHz(shownFrequency());
    FORM_OFF_INI();
    panel_.ind1.enabled = false;
    panel_.ind1.value = 0;

    SettingsAccess::Batch batch;
    SettingsAccess::WriteSetting(batch, "AUDIO", panel_.HSlider4.position);
    SettingsAccess::WriteSetting(batch, "SQL", squelchFileValue(panel_.HSlider3.position));
    SettingsAccess::WriteSetting(batch, "OFF_FREQUENCY", state_.OffFrequency);
    SettingsAccess::WriteSetting(batch, "STEP_FREQ", state_.StepKHz);
    SettingsAccess::WriteSetting(batch, "PORT", state_.PortBase);
    save(batch);
}

}  // namespace orvex
