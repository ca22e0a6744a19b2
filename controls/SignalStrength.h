#pragma once

#include <string>

namespace orvex {

// The signal level read as an S-meter: the level counts S-units of 6 dB, so level 9 is S9, and
// above S9 the meter reads in dB. This is the scale radio software expects (Hamlib's STRENGTH)
// and the one a screen reader speaks.

inline constexpr int DecibelsPerSUnit = 6;
inline constexpr int S9 = 9;
inline constexpr int S0Decibels = -S9 * DecibelsPerSUnit;
inline constexpr int TopDecibels = 60;

// dB over S9, held to the meter's ends: -54 (S0) to +60.
int decibelsOverS9(double level);

// "S0" to "S9", or "S9 plus 12 dB" above it.
std::string signalStrengthText(double level);

}  // namespace orvex
