#include <array>

#include "controls/Receiver.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// Volume position to control-register code. The port inverts lines 0, 1 and 3, so the code drives
// the position onto the lines as a 3-bit number: line 0 carries the 4s, line 1 the 2s, line 3 the
// 1s.
constexpr std::array<std::int16_t, 8> VolumeCodes{11, 3, 9, 1, 10, 2, 8, 0};

}  // namespace

void Receiver::ApplyVolume() {
    state_.VolumePosition = panel_.HSlider4.position;
    if (state_.VolumePosition >= 0 && state_.VolumePosition <= 7) {
        state_.VolumeCode = VolumeCodes[static_cast<std::size_t>(state_.VolumePosition)];
    }
    port_.WritePort(state_.PortBase + 2, state_.VolumeCode);
}

void Receiver::ApplySquelch() {
    const std::int16_t position = panel_.HSlider3.position;
    panel_.Gauge1.threshold = position / 100.0;
    panel_.Text5 = numberText(panel_.HSlider3.position / 100.0);
}

void Receiver::ApplyMute() {
    state_.MuteBits = panel_.Toggle2.on ? 8 : 0;
}

void Receiver::HSlider4_Change(int position) {
    setVolumeSlider(position);
}

void Receiver::HSlider3_Change(int position) {
    panel_.HSlider3.position = wrap16(position);
    ApplySquelch();
}

void Receiver::Toggle2_Change(bool on) {
    panel_.Toggle2.on = on;
    ApplyMute();
}

}  // namespace orvex
