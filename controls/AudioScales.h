#pragma once

#include <cstdint>

#include "core/NumberText.h"
#include "core/ReceiverState.h"

namespace orvex {

// The volume slider's positions, 0 (silent) to VolumeTop; each is one code on the port's volume
// lines.
constexpr std::int16_t VolumeTop = 7;

// The squelch slider's positions, 0 to SquelchTop. The same setting has two other scales: the
// dial's threshold mark and the threshold text read position / 100 (0 to 10, the dial's units),
// the settings file position / 1000 (0 to 1).
constexpr std::int16_t SquelchTop = 1000;
constexpr double SquelchPositionsPerDialUnit = 100.0;

constexpr double squelchDialValue(std::int16_t position) {
    return position / SquelchPositionsPerDialUnit;
}

constexpr double squelchFileValue(std::int16_t position) {
    return position / static_cast<double>(SquelchTop);
}

// The slider position a settings-file value gives, rounded half-even and kept to 16 bits.
inline std::int16_t squelchPositionFromFile(double fileValue) {
    return wrap16(roundHalfEven(fileValue * static_cast<double>(SquelchTop)));
}

}  // namespace orvex
