#pragma once

#include <cstdint>

namespace orvex {

// What each line of the printer port means to the board.

// Data register (base + 0), pins 2 to 9.
enum class DataLine : std::uint8_t {
    ConverterData = 2,   // converter address bit in, latched on the converter clock's rising edge
    ConverterClock = 4,  // converter clock, active high
    Mute = 8,            // audio muted while set
    SynthClock = 16,     // synthesizer shifts one bit on the rising edge
    SynthEnable = 32,    // synthesizer latches the shifted word on the rising edge
    SynthData = 64,      // synthesizer serial data
    Power = 128,         // receiver powered while set
};

// Status register (base + 1): the converter's serial output on bit 6.
enum class StatusLine : std::uint8_t { ConverterOut = 64 };

// Control register (base + 2): the three volume lines, weighted 4, 2 and 1, and a spare line.
enum class ControlLine : std::uint8_t {
    Volume4 = 1,  // pin 1
    Volume2 = 2,  // pin 14
    Spare = 4,    // pin 16, not wired to the volume
    Volume1 = 8,  // pin 17
};

// Register offsets from the port base.
enum class Register : std::uint8_t { Data = 0, Status = 1, Control = 2 };

constexpr int value(DataLine line) {
    return static_cast<int>(line);
}
constexpr int value(StatusLine line) {
    return static_cast<int>(line);
}
constexpr int value(ControlLine line) {
    return static_cast<int>(line);
}
constexpr int value(Register offset) {
    return static_cast<int>(offset);
}

// The board's synthesizer: how many bits each of its registers takes (the count shifted in before
// enable rises picks the register), and what its words tune: oscillator = divider x crystal /
// reference, running the intermediate frequency above the receive frequency.
constexpr int SynthControlBits = 8;
constexpr int SynthReferenceBits = 15;
constexpr int SynthDividerBits = 16;
constexpr double SynthCrystalKHz = 8000.0;
constexpr double IntermediateKHz = 10700.0;

// The board's converter: a transfer is eight clocks, the first four taking the channel address.
constexpr int ConverterClocksPerTransfer = 8;
constexpr int ConverterAddressBits = 4;

// The standard port inverts the control register's lines 0, 1 and 3 (pins 1, 14, 17) on their way
// out; line 2 (pin 16) is not inverted.
constexpr int ControlInversionMask =
    value(ControlLine::Volume4) | value(ControlLine::Volume2) | value(ControlLine::Volume1);

// The volume the board's audio stage hears from a control-register code: the three volume lines
// after the port's inversion, weighing 4, 2 and 1, so the silent code 11 puts every line low and
// gives 0 and code 0 gives the loudest.
constexpr int volumeFromControl(int control) {
    const int lines = control ^ ControlInversionMask;
    const auto weight = [lines](ControlLine line, int ifHigh) {
        return (lines & value(line)) != 0 ? ifHigh : 0;
    };
    return weight(ControlLine::Volume4, 4) + weight(ControlLine::Volume2, 2) +
           weight(ControlLine::Volume1, 1);
}

// The control-register code that puts every volume line low.
constexpr std::int16_t SilentVolumeCode = 11;

constexpr std::int16_t Lpt1Base = 888;
constexpr std::int16_t Lpt2Base = 632;

}  // namespace orvex
