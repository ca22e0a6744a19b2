#include "controls/Receiver.h"
#include "controls/StepTable.h"

namespace orvex {

// With a new comparison frequency the synthesizer would run far from the display until the next
// tuning action, so a step change into or out of 5 kHz retunes at once while the receiver is on.
void Receiver::retuneIfReferenceChanged(std::int16_t refBefore) {
    if (panel_.Toggle7.on && state_.RefDivider != refBefore) {
        TuneFromKnob();
    }
}

// SelectStep
void Receiver::Toggle8_Change(bool on) {
    panel_.Toggle8.on = on;
    const std::int16_t refBefore = state_.RefDivider;
    const StepRow& row = on ? CoarseStep : NormalStep;
    state_.RefDivider = row.refDivider;
    INITIALIZE_PLL();
    if (!panel_.Toggle7.on) {
        return;
    }
    (on ? panel_.Toggle8.onCaption : panel_.Toggle8.offCaption) = row.caption;
    panel_.Toggle9.offCaption = FineStepHelp;
    panel_.Toggle9.on = false;
    panel_.Knob1.maximum = row.knobMax;
    state_.DividerScale = row.dividerScale;
    state_.StepKHz = row.stepKHz;
    panel_.Knob1.position = PositionFromFrequency(shownFrequency());
    retuneIfReferenceChanged(refBefore);
}

// SelectFineStep
void Receiver::Toggle9_Change(bool on) {
    panel_.Toggle9.on = on;
    const std::int16_t refBefore = state_.RefDivider;
    if (panel_.Toggle9.on) {
        panel_.Toggle8.offCaption = FineStep.caption;
        state_.DividerScale = FineStep.dividerScale;
        state_.StepKHz = FineStep.stepKHz;
        panel_.Knob1.maximum = FineStep.knobMax;
        panel_.Knob1.position = PositionFromFrequency(shownFrequency());
        state_.RefDivider = FineStep.refDivider;
        INITIALIZE_PLL();
    }
    if (!panel_.Toggle9.on) {
        panel_.Toggle9.onCaption = FineStepHelp;
    } else {
        panel_.Toggle8.on = false;
        panel_.Toggle9.onCaption = FineStepHelp;
        panel_.Toggle9.onLamp = palette::LampOn;
    }
    retuneIfReferenceChanged(refBefore);
}

}  // namespace orvex
