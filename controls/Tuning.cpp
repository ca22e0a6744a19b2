#include <algorithm>

#include "controls/Receiver.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/NumberText.h"
#include "core/WheelCodes.h"

namespace orvex {

void Receiver::TuneFromKnob() {
    state_.KnobPosition = panel_.Knob1.position;
    const std::int16_t offsetKHz = wrap16(state_.KnobPosition * state_.StepKHz);
    setShownFrequency(mhzFromKHz(offsetKHz + BandBottomKHz));
    synthesizer_.LoadDivider(
        dividerWord(knobDividerValue(state_.KnobPosition, state_.StepKHz, state_.DividerScale)));
}

// Computed literally in doubles, the difference first taken to 15 significant digits: the binary
// value of F - 132 decides some ties, and stored positions depend on exactly that.
std::int16_t Receiver::PositionFromFrequency(double megahertz) const {
    const double offset = leadingNumber(numberText(megahertz - BandBottomMHz));
    const double steps = offset * (KHzPerMHz / static_cast<double>(state_.StepKHz));
    const long long position = std::clamp<long long>(roundHalfEven(steps), 0, KnobMax());
    return wrap16(position);
}

// The knob keeps the operator's position within its range.
void Receiver::takeKnobPosition(int position) {
    panel_.Knob1.position = wrap16(std::clamp(position, 0, static_cast<int>(KnobMax())));
}

void Receiver::Knob1_Change(int position) {
    takeKnobPosition(position);
    TuneFromKnob();
}

void Receiver::Knob1_DragEnd(int position) {
    takeKnobPosition(position);
    state_.PowerBits = value(DataLine::Power);
    TuneFromKnob();
}

void Receiver::Wheel1_Change(int code) {
    if (!panel_.Toggle7.on) {
        return;
    }
    std::int16_t& position = panel_.Knob1.position;
    if (turnsUp(code)) {
        position = std::min<std::int16_t>(wrap16(position + 1), KnobMax());
        TuneFromKnob();
    } else if (turnsDown(code) && position > 0) {
        position = wrap16(position - 1);
        TuneFromKnob();
    }
}

void Receiver::Command10_Click() {
    panel_.Knob1.position = std::max<std::int16_t>(wrap16(panel_.Knob1.position - 1), 0);
    TuneFromKnob();
}

void Receiver::Command8_Click() {
    panel_.Knob1.position = std::min<std::int16_t>(wrap16(panel_.Knob1.position + 1), KnobMax());
    TuneFromKnob();
}

void Receiver::LedDisplay1_Entry(std::string_view typed) {
    const std::optional<double> megahertz = parseNumber(typed);
    if (!megahertz || *megahertz < BandBottomMHz || *megahertz > BandTopMHz) {
        messages_.post("\"" + std::string(typed) + "\" is not a frequency between " +
                       frequencyText(BandBottomMHz) + " and " + frequencyText(BandTopMHz) +
                       " MHz.");
        return;
    }
    Knob1_Change(PositionFromFrequency(*megahertz));
}

}  // namespace orvex
