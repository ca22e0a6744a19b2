#pragma once

#include <string>
#include <vector>

namespace orvex::rigctl {

// The capabilities Hamlib's network client reads when it opens: one VFO receiving FM from 132 to
// 144 MHz in steps of 5, 10 or 100 kHz; the MUTE function; STRENGTH, SQL and AF readable, SQL and
// AF settable; the VFO operations UP, DOWN, FROM_VFO and TO_VFO. Nothing here may be advertised
// that the server does not do.
std::vector<std::string> dumpStateLines();

}  // namespace orvex::rigctl
