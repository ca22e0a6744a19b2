#include "controls/SignalScale.h"

#include <algorithm>

#include "core/NumberText.h"

namespace orvex {
namespace {

constexpr int DbPerSUnit = 6;
constexpr int S9 = 9;
constexpr int Lowest = -DbPerSUnit * S9;  // S0
constexpr int Highest = 60;

}  // namespace

int dbOverS9(double level) {
    const long long db = roundHalfEven(DbPerSUnit * level) - DbPerSUnit * S9;
    return static_cast<int>(std::clamp<long long>(db, Lowest, Highest));
}

std::string sUnitsText(double level) {
    const int db = dbOverS9(level);
    if (db > 0) {
        return "S9+" + std::to_string(db) + " dB";
    }
    const long long units = roundHalfEven(static_cast<double>(db - Lowest) / DbPerSUnit);
    return "S" + std::to_string(units);
}

}  // namespace orvex
