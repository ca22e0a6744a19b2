#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

// One measurement tick as a level log keeps it.
struct LevelSample {
    std::chrono::system_clock::time_point time;
    std::int64_t hertz = 0;  // the frequency the display showed
    int signalByte = 0;      // the converter's byte, 0–255
    double level = 0.0;      // as the meter shows it
    double supplyVolts = 0.0;
    bool squelchOpen = false;  // the level was above the squelch threshold
};

// The level log is CSV with LF line ends: this header, then one line a tick.
inline constexpr std::string_view LevelLogHeader =
    "time_utc,frequency_hz,converter_byte,level,db_over_s9,supply_volts,squelch_open\n";

// "2026-12-09T03:41:07.123Z,137900000,90,5.97,-18,12,1\n"
std::string levelLogLine(const LevelSample& sample);

// ISO 8601 in UTC with milliseconds: "2026-12-09T03:41:07.123Z".
std::string utcText(std::chrono::system_clock::time_point time);

}  // namespace orvex
