#pragma once

#include <cstdint>

#include "core/Lines.h"

namespace orvex::sim {

// The volume the board's audio stage hears from the control register's lines. The port inverts
// the lines of bits 0, 1 and 3 on their way out; bit 0's line weighs 4, bit 1's 2 and bit 3's 1,
// so the silent code 11 puts every line low and gives 0, code 0 gives 7. Bit 2's line is not
// wired to the volume.
constexpr int volumeFromControl(std::uint8_t control) {
    const int lines = (control ^ ControlInversionMask) & ControlInversionMask;
    return ((lines & value(ControlLine::Volume4)) != 0 ? 4 : 0) +
           ((lines & value(ControlLine::Volume2)) != 0 ? 2 : 0) +
           ((lines & value(ControlLine::Volume1)) != 0 ? 1 : 0);
}

}  // namespace orvex::sim
