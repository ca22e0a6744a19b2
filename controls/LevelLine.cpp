#include "controls/LevelLine.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "controls/Receiver.h"
#include "controls/SignalScale.h"
#include "core/Band.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

// "2026-12-09T03:41:07.123Z", broken down by the C library in UTC: neither the locale nor the
// time zone changes it.
std::string utcText(std::chrono::system_clock::time_point at) {
    const auto whole = std::chrono::floor<std::chrono::seconds>(at);
    const auto ms = std::chrono::floor<std::chrono::milliseconds>(at - whole);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(whole);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    std::array<char, 96> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                  utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min,
                  utc.tm_sec, static_cast<int>(ms.count()));
    return text.data();
}

}  // namespace

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
    return utcText(sample.at) + "," + std::to_string(hertz) + "," +
           std::to_string(sample.converterByte) + "," + numberText(sample.level) + "," +
           std::to_string(dbOverS9(sample.level)) + "," + numberText(sample.supplyVolts) + "," +
           (sample.squelchOpen ? "1" : "0") + "\n";
}

}  // namespace orvex
