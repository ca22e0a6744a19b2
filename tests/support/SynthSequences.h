#pragma once

#include <vector>

namespace orvex::test {

// The data-register values of the synthesizer's control word 71 and reference word 800 sent with
// the power and mute lines low, as start-up sends them.
// clang-format off
inline const std::vector<int> InitializeOnRestZero{
    0,
    // control word 71 = 01000111, each bit: rest, data, clock high, clock low
    0, 0, 16, 0,  0, 64, 80, 64,  0, 0, 16, 0,  0, 0, 16, 0,
    0, 0, 16, 0,  0, 64, 80, 64,  0, 64, 80, 64,  0, 64, 80, 64,
    32,  // enable: latch the control word
    0,   // enable low after the pause
    // reference word 800 = 000001100100000
    0, 16, 0,  0, 16, 0,  0, 16, 0,  0, 16, 0,  0, 16, 0,
    64, 80, 64,  64, 80, 64,  0, 16, 0,  0, 16, 0,  64, 80, 64,
    0, 16, 0,  0, 16, 0,  0, 16, 0,  0, 16, 0,  0, 16, 0,
    32,  // enable: latch the reference word
};
// clang-format on

}  // namespace orvex::test
