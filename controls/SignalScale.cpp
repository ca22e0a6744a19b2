#include "controls/SignalScale.h"

#include <algorithm>

#include "core/NumberText.h"

namespace orvex {

int dbOverS9(double level) {
    const long long db = roundHalfEven(DbPerSUnit * level) - DbPerSUnit * S9;
    return static_cast<int>(std::clamp<long long>(db, LowestDbOverS9, HighestDbOverS9));
}

std::string sUnitsText(double level) {
    const int db = dbOverS9(level);
    if (db > 0) {
        return "S9+" + std::to_string(db) + " dB";
    }
    const long long units = roundHalfEven(static_cast<double>(db - LowestDbOverS9) / DbPerSUnit);
    return "S" + std::to_string(units);
}

}  // namespace orvex
