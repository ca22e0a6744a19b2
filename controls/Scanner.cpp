#include <algorithm>

#include "controls/Receiver.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {

// SetScan
void Receiver::Toggle5_Change(bool on) {
    panel_.Toggle5.on = on;
    panel_.Timer2.enabled = on;
}

// ScanTick: hold on a signal above the threshold, else mute and step up, wrapping from the top of
// the band to its bottom within the same tick. The power state is not looked at.
void Receiver::Timer2_Timer() {
    const double level = leadingNumber(panel_.Text1);
    const double threshold = leadingNumber(panel_.Text5);
    if (level > threshold) {
        panel_.Toggle2.on = false;
        state_.MuteBits = 0;
        return;
    }
    panel_.Toggle2.on = true;
    state_.MuteBits = value(DataLine::Mute);
    panel_.Knob1.position = std::min<std::int16_t>(wrap16(panel_.Knob1.position + 1), KnobMax());
    TuneFromKnob();
    if (shownFrequency() == BandTopMHz) {
        panel_.Knob1.position = 0;
        TuneFromKnob();
    }
}

}  // namespace orvex
