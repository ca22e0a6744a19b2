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
    state_.RefDivider = 800;
    INITIALIZE_PLL();
    if (!panel_.Toggle7.on) {
        return;
    }
    const StepRow& row = *findStep(on ? 100 : 10);
    (on ? panel_.Toggle8.onCaption : panel_.Toggle8.offCaption) = row.caption;
    panel_.Toggle9.offCaption = "Help";
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
    const StepRow& fine = *findStep(5);
    if (panel_.Toggle9.on) {
        panel_.Toggle8.offCaption = fine.caption;
        state_.DividerScale = fine.dividerScale;
        state_.StepKHz = fine.stepKHz;
        panel_.Knob1.maximum = fine.knobMax;
        panel_.Knob1.position = PositionFromFrequency(shownFrequency());
        state_.RefDivider = fine.refDivider;
        INITIALIZE_PLL();
    }
    if (!panel_.Toggle9.on) {
        panel_.Toggle9.onCaption = "Help";
    } else {
        panel_.Toggle8.on = false;
        panel_.Toggle9.onCaption = "Help";
        panel_.Toggle9.onLamp = colour::LightGreen;
    }
    retuneIfReferenceChanged(refBefore);
}

}  // namespace orvex
