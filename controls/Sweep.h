#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "controls/SignalScale.h"
#include "hardware/Converter.h"

namespace orvex {

// One sweep of a band survey: when it began, its grid, and the signal channel's byte on each
// channel read so far (channel i at lowKHz + i x stepKHz).
struct Sweep {
    std::chrono::system_clock::time_point began;
    std::int32_t lowKHz = 0;
    std::int16_t stepKHz = 0;
    std::vector<std::uint8_t> bytes;

    std::int32_t channelKHz(std::size_t index) const {
        return lowKHz + static_cast<std::int32_t>(index) * stepKHz;
    }
    // As the meter would show channel `index`: the level, and dB over S9.
    double level(std::size_t index) const { return signalLevel(bytes[index]); }
    double db(std::size_t index) const { return dbOverS9Exact(level(index)); }
};

}  // namespace orvex
