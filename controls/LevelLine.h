#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

class Receiver;

// One measurement as the level log keeps it.
struct LevelSample {
    std::chrono::system_clock::time_point at;
    std::optional<std::int32_t> frequencyKHz;  // what the display shows
    int converterByte = 0;                     // the signal channel's byte
    double level = 0.0;                        // as the meter shows it
    double supplyVolts = 0.0;
    bool squelchOpen = false;  // the level was above the squelch threshold
};

// The receiver's last measurement, taken at `at`.
LevelSample lastMeasurement(const Receiver& receiver, std::chrono::system_clock::time_point at);

// The level log is CSV with LF line ends: this header, then one line a measurement,
// "2026-12-09T03:41:07.123Z,137900000,90,5.98,-18,12,1": the time in UTC with milliseconds, the
// frequency in Hz, the byte, the level as the meter shows it, dB over S9 as `l STRENGTH` answers
// it, the supply in volts, 1 when the squelch was open. Numbers are the same in every locale.
inline constexpr std::string_view LevelLogHeader =
    "time_utc,frequency_hz,converter_byte,level,db_over_s9,supply_volts,squelch_open\n";
std::string levelLogLine(const LevelSample& sample);

}  // namespace orvex
