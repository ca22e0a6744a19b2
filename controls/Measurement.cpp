#include "controls/Receiver.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {

// The squelch compares the numbers the two texts begin with: a threshold below the level opens the
// audio, one above it mutes, an equal one leaves the mute as it was.
// While a tuning driver holds the decisions (it steps through channels the operator never chose
// to hear), the audio stays muted whatever the level.
void Receiver::squelchFromTexts() {
    audioOpen_ = leadingNumber(panel_.Text5) < leadingNumber(panel_.Text1);
    if (squelchHeld_) {
        panel_.Toggle2.on = true;
        state_.MuteBits = value(DataLine::Mute);
        return;
    }
    if (leadingNumber(panel_.Text5) < leadingNumber(panel_.Text1)) {
        panel_.Toggle2.on = false;
        state_.MuteBits = 0;
    }
    if (leadingNumber(panel_.Text5) > leadingNumber(panel_.Text1)) {
        panel_.Toggle2.on = true;
        state_.MuteBits = value(DataLine::Mute);
    }
}

void Receiver::Timer1_Timer() {
    const Converter::Reading reading = converter_.measure();

    DialModel& dial = panel_.Gauge1;
    measuredSignalByte_ = reading.signalByte;
    const double level = signalLevel(reading.signalByte);
    dial.selected = 0;
    dial.value() = level;
    panel_.ind1.value = wrap16(roundHalfEven(dial.value()));
    panel_.Text1 = numberText(level);

    dial.selected = 1;
    dial.value() = supplyVolts(reading.supplyByte);
    dial.selected = 0;

    squelchFromTexts();
    ++measurements_;
}

}  // namespace orvex
