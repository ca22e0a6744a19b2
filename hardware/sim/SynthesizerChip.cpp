#include "hardware/sim/SynthesizerChip.h"

#include <algorithm>

#include "core/Lines.h"

namespace orvex::sim {

namespace {

// Far more bits than any register takes; the count stops there so it cannot overflow.
constexpr int MostBitsCounted = 64;

constexpr bool high(std::uint8_t lines, DataLine line) {
    return (lines & value(line)) != 0;
}

constexpr bool rose(std::uint8_t before, std::uint8_t after, DataLine line) {
    return !high(before, line) && high(after, line);
}

}  // namespace

void SynthesizerChip::drive(std::uint8_t before, std::uint8_t after) {
    // A clock edge in the same write that raises enable still sees enable low, so it shifts.
    if (rose(before, after, DataLine::SynthClock) && !high(before, DataLine::SynthEnable)) {
        shift_ = (shift_ << 1) | (high(after, DataLine::SynthData) ? 1u : 0u);
        bitsShifted_ = std::min(bitsShifted_ + 1, MostBitsCounted);
    }
    if (rose(before, after, DataLine::SynthEnable)) {
        latch();
    }
}

void SynthesizerChip::latch() {
    switch (bitsShifted_) {
        case SynthControlBits:
            control_ = static_cast<std::uint8_t>(shift_ & 0xFFu);
            break;
        case SynthReferenceBits:
            reference_ = static_cast<std::uint16_t>(shift_ & 0x7FFFu);
            break;
        case SynthDividerBits:
            divider_ = static_cast<std::uint16_t>(shift_ & 0xFFFFu);
            break;
        default:
            break;  // a word of the wrong length is no word at all
    }
    shift_ = 0;
    bitsShifted_ = 0;
}

std::optional<double> SynthesizerChip::oscillatorKHz() const {
    if (!reference_ || *reference_ == 0 || !divider_) {
        return std::nullopt;
    }
    return *divider_ * SynthCrystalKHz / *reference_;
}

std::optional<double> SynthesizerChip::receiveKHz() const {
    const std::optional<double> oscillator = oscillatorKHz();
    if (!oscillator) {
        return std::nullopt;
    }
    return *oscillator - IntermediateKHz;
}

bool SynthesizerChip::locked() const {
    const std::optional<double> receive = receiveKHz();
    return receive && *receive >= LowestLockKHz && *receive <= HighestLockKHz;
}

SynthesizerChip::State SynthesizerChip::state() const {
    return State{
        .controlWord = control_,
        .referenceWord = reference_,
        .dividerWord = divider_,
        .bitsShifted = bitsShifted_,
        .oscillatorKHz = oscillatorKHz(),
        .receiveKHz = receiveKHz(),
        .locked = locked(),
    };
}

}  // namespace orvex::sim
