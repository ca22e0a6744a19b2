#include <array>

#include "controls/AudioScales.h"
#include "controls/Receiver.h"
#include "core/Lines.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// Volume position to control-register code. The port inverts lines 0, 1 and 3, so the code drives
// the position onto the lines as a 3-bit number: line 0 carries the 4s, line 1 the 2s, line 3 the
// 1s.
constexpr std::array<std::int16_t, VolumeTop + 1> VolumeCodes{11, 3, 9, 1, 10, 2, 8, 0};

}  // namespace

void Receiver::ApplyVolume() {
    state_.VolumePosition = panel_.HSlider4.position;
    if (state_.VolumePosition >= 0 && state_.VolumePosition <= VolumeTop) {
        state_.VolumeCode = VolumeCodes[static_cast<std::size_t>(state_.VolumePosition)];
    }
    port_.WritePort(state_.PortBase + value(Register::Control), state_.VolumeCode);
}

void Receiver::ApplySquelch() {
    panel_.Gauge1.threshold = squelchDialValue(panel_.HSlider3.position);
    panel_.Text5 = numberText(squelchDialValue(panel_.HSlider3.position));
}

void Receiver::ApplyMute() {
    state_.MuteBits = panel_.Toggle2.on ? value(DataLine::Mute) : 0;
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
