#pragma once

#include <cstdint>
#include <optional>

#include "core/Delay.h"
#include "core/ReceiverState.h"
#include "hardware/Port.h"

namespace orvex {

constexpr int SynthControlWord = 71;

// The word a caller's value X loads: V = 2X rounded half-even, N = floor(V / 2), low 16 bits. For a
// whole X that is X; for X with a fraction of exactly one half it is the whole part of X.
std::uint16_t dividerWord(double x);

// Shifts words into the board's three-wire synthesizer over the data register: data on bit 6,
// clock on bit 4 (one pulse per bit), enable on bit 5 (latches on its rising edge). Every write is
// the resting byte of that moment plus the lines of the step.
class Synthesizer {
public:
    Synthesizer(ReceiverState& state, Port& port, Delay& delay)
        : state_(state), port_(port), delay_(delay) {}

    // The 8-bit control word 71, then the 15-bit reference word RefDivider: 81 writes.
    void INITIALIZE_PLL();
    // The 16-bit divider word: 50 writes, ending with the enable line high.
    void LoadDivider(std::uint16_t word);

    // Whether the board's chip holds `word` as its divider now, with the reference word in force:
    // it latched both while the board had power, at the port in use, and has not lost them since.
    bool holdsDivider(std::uint16_t word) const;
    // The board lost power or the port was opened afresh: what the chip holds is unknown.
    void forgetLatched() { latched_ = {}; }

private:
    // The words the chip latched, as far as this program shifted them into it.
    struct Latched {
        std::int16_t portBase = 0;
        std::optional<std::int16_t> reference;
        std::optional<std::uint16_t> divider;
    };

    bool boardListens() const { return state_.PortBase != 0 && state_.PowerBits != 0; }
    Latched* latching();
    void writeLines(int lines);
    void sendBit(int bit);

    ReceiverState& state_;
    Port& port_;
    Delay& delay_;
    Latched latched_;
};

}  // namespace orvex

namespace orvex {

// The values X the tuning callers hand to dividerWord, each the frequency they tune to plus the
// 10.7 MHz intermediate frequency, in units of the comparison frequency.

// Knob tuning: (position x step / 10 + 14270) x scale, the product 16-bit, passed through its text
// form as the original did.
double knobDividerValue(std::int16_t knobPosition, std::int16_t stepKHz, std::int16_t dividerScale);
// Power-on: (OffFrequency / 10 + 1070) x scale.
double powerOnDividerValue(double offFrequencyKHz, std::int16_t dividerScale);
// Memory recall, from the displayed MHz: (MHz x 100 to 15 digits + 1070) x scale.
double recallDividerValue(double displayedMHz, std::int16_t dividerScale);

}  // namespace orvex
