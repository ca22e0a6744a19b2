#pragma once

#include <cstdint>

namespace orvex {

// Wraps an integer result to 16 bits the way the board's original software counted: every receiver
// variable is a signed 16-bit integer and arithmetic on them is 16-bit.
constexpr std::int16_t wrap16(long long value) {
    return static_cast<std::int16_t>(value);
}

// The whole run-time state of the receiver, shared by every handler. Every variable starts at 0
// when the window is created; start-up gives the ones it needs their values.
struct ReceiverState {
    std::int16_t PortBase = 0;        // I/O base of the printer port: 888, 632, or 0 = none chosen
    std::int16_t PowerBits = 0;       // data-register power line: 128 on, 0 off
    std::int16_t MuteBits = 0;        // data-register mute line: 8 muted, 0 not
    std::int16_t VolumePosition = 0;  // last volume slider position, 0..7
    std::int16_t VolumeCode = 0;      // last code the volume slider wrote to the control register
    std::int16_t StepKHz = 0;         // tuning step: 100, 10 or 5
    std::int16_t KnobPosition = 0;    // steps of StepKHz above 132 MHz
    std::int16_t DividerScale = 0;    // divider units per 10 kHz: 1 or 2
    std::int16_t RefDivider = 0;      // 15-bit reference word: 800 or 1600
    double OffFrequency = 0.0;        // kHz, the frequency remembered while switched off
    std::int16_t SerialBit = 0;       // the synthesizer bit being clocked out
    int MeterValue = 0;               // the converter byte being assembled, 0..255

    // The data register's resting value: power and mute lines, every other line low. It is
    // recomputed for every write so a change of either line shows at the next write.
    std::int16_t RestByte() const { return wrap16(PowerBits + MuteBits); }
};

}  // namespace orvex
