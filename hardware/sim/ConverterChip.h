#pragma once

#include <cstdint>

#include "core/Lines.h"

namespace orvex::sim {

// The board's 8-bit serial converter. A transfer is eight rising edges of its clock: on the first
// four it takes a channel address bit from its data input, most significant first; all the while
// its output shows the byte of the previous conversion, most significant bit first, each bit valid
// before its rising edge and advancing after it. After the eighth edge the addressed channel is
// converted, and that byte is what the next transfer shifts out.
class ConverterChip {
public:
    struct State {
        int clocks = 0;           // rising edges so far in this transfer, 0..7
        int address = 0;          // address bits taken so far
        std::uint8_t output = 0;  // the byte being shifted out
        bool outputBit = false;   // what the output line shows now

        friend bool operator==(const State&, const State&) = default;
    };

    // The data-register lines before and after one write, while the chip is powered. Returns true
    // when this write ended a transfer: the caller then converts channel() and hands the byte to
    // load().
    bool drive(std::uint8_t before, std::uint8_t after);
    int channel() const { return address_; }
    void load(std::uint8_t byte);
    // Power dropped: the transfer in progress and the pipelined byte are lost.
    void reset() { *this = ConverterChip{}; }

    bool outputBit() const {
        return ((output_ >> (ConverterClocksPerTransfer - 1 - clocks_)) & 1) != 0;
    }
    State state() const { return {clocks_, address_, output_, outputBit()}; }

private:
    int clocks_ = 0;
    int address_ = 0;
    std::uint8_t output_ = 0;
};

}  // namespace orvex::sim
