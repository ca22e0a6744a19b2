#pragma once

#include <string>

#include "controls/Sweep.h"

namespace orvex {

// A sweep as one line of rtl_power's CSV, so heatmap.py and the other rtl_power renderers draw a
// survey unchanged: "date, time, Hz low, Hz high, Hz step, samples, dB, dB, ..." with ", "
// between the fields, the local date and time the sweep began, channel i at Hz low + i x step,
// Hz high = Hz low + n x step for n channels, one sample a channel, and dB over S9 with two
// decimals. LF line end; the same in every locale.
std::string rtlPowerLine(const Sweep& sweep);

}  // namespace orvex
