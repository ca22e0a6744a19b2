#pragma once

#include <cstdint>
#include <optional>

#include "core/Band.h"
#include "core/Lines.h"

namespace orvex::sim {

// The board's three-wire PLL synthesizer. Data is shifted in on the rising edge of the clock
// while enable is low (the chip ignores its clock while enable is high); the rising edge of
// enable latches the word, and how many bits were shifted since the last latch picks the register:
// 8 control, 15 reference, 16 divider. Any other count latches nothing.
class SynthesizerChip {
public:
    static constexpr double LowestLockKHz = BandBottomKHz;  // the loop filter and VCO hold lock
    static constexpr double HighestLockKHz = BandTopKHz;    // across the receive band only

    struct State {
        std::optional<std::uint8_t> controlWord;
        std::optional<std::uint16_t> referenceWord;
        std::optional<std::uint16_t> dividerWord;
        int bitsShifted = 0;  // since the last latch
        // Known once a reference word (not zero) and a divider word are latched.
        std::optional<double> oscillatorKHz;
        std::optional<double> receiveKHz;
        bool locked = false;

        friend bool operator==(const State&, const State&) = default;
    };

    // The data-register lines before and after one write, while the chip is powered.
    void drive(std::uint8_t before, std::uint8_t after);
    // Power dropped: every register and the half-shifted word are lost.
    void reset() { *this = SynthesizerChip{}; }

    std::optional<double> oscillatorKHz() const;
    std::optional<double> receiveKHz() const;
    bool locked() const;
    State state() const;

private:
    void latch();

    std::uint32_t shift_ = 0;
    int bitsShifted_ = 0;
    std::optional<std::uint8_t> control_;
    std::optional<std::uint16_t> reference_;
    std::optional<std::uint16_t> divider_;
};

}  // namespace orvex::sim
