#pragma once

#include <string>

namespace orvex {

// The signal level as the meter shows it (one unit an S-unit, S9 at 9) on Hamlib's S-meter
// scale: dB over S9, 6 dB an S-unit, S0 at -54, held to -54..+60. What `l STRENGTH` answers.
inline constexpr int DbPerSUnit = 6;
inline constexpr int S9 = 9;
inline constexpr int LowestDbOverS9 = -DbPerSUnit * S9;  // S0
inline constexpr int HighestDbOverS9 = 60;
int dbOverS9(double level);

// What a receiver user reads off an S-meter: "S0" … "S9", then "S9+12 dB".
std::string sUnitsText(double level);

}  // namespace orvex
