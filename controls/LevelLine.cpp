#include "controls/LevelLine.h"

#include "controls/Receiver.h"
#include "controls/SignalScale.h"
#include "core/Band.h"
#include "core/NumberText.h"
#include "core/UtcTime.h"

namespace orvex {

LevelSample lastMeasurement(const Receiver& receiver, std::chrono::system_clock::time_point at) {
    return {at,
            receiver.displayedKHz(),
            receiver.measuredSignalByte(),
            receiver.measuredLevel(),
            receiver.measuredSupplyVolts(),
            receiver.audioOpen()};
}

std::string levelLogLine(const LevelSample& sample) {
    const long long hertz = hertzFromKHz(sample.frequencyKHz.value_or(0));
    return utcTimestamp(sample.at) + "," + std::to_string(hertz) + "," +
           std::to_string(sample.converterByte) + "," + numberText(sample.level) + "," +
           std::to_string(dbOverS9(sample.level)) + "," + numberText(sample.supplyVolts) + "," +
           (sample.squelchOpen ? "1" : "0") + "\n";
}

}  // namespace orvex
