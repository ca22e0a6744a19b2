#include "controls/SignalStrength.h"

#include <algorithm>

#include "core/NumberText.h"

namespace orvex {

int decibelsOverS9(double level) {
    return static_cast<int>(std::clamp<long long>(
        roundHalfEven(DecibelsPerSUnit * level) + S0Decibels, S0Decibels, TopDecibels));
}

std::string signalStrengthText(double level) {
    const int decibels = decibelsOverS9(level);
    if (decibels > 0) {
        return "S" + std::to_string(S9) + " plus " + std::to_string(decibels) + " dB";
    }
    const long long units = roundHalfEven(double(decibels - S0Decibels) / DecibelsPerSUnit);
    return "S" + std::to_string(units);
}

}  // namespace orvex
