#include "controls/Receiver.h"

#include "core/NumberText.h"

namespace orvex {

Receiver::Receiver(PortIo& io, Delay& delay, SettingsStore& settings, MessageSink& messages)
    : port_(io, state_),
      delay_(delay),
      synthesizer_(state_, port_, delay),
      converter_(state_, port_, delay),
      settings_(settings, messages),
      messages_(messages) {}

// The display's text is the record of the frequency in force: every reader takes it back as the
// number the text begins with.
double Receiver::shownFrequency() const {
    return leadingNumber(panel_.LedDisplay1.text);
}

// The display shows three decimals; the scale's pointer follows the display as read back.
void Receiver::setShownFrequency(double megahertz) {
    panel_.LedDisplay1.text = frequencyText(megahertz);
    panel_.LGAUGE1.value = shownFrequency();
}

void Receiver::save(const SettingsAccess::Batch& batch) {
    if (!settings_.save(batch)) {
        ++failedSaves_;
    }
}

// Setting the volume slider from code raises its change notification even when the position
// stays, so the volume code always follows.
void Receiver::setVolumeSlider(int position) {
    panel_.HSlider4.position = wrap16(position);
    ApplyVolume();
}

}  // namespace orvex
