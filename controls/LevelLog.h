#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "core/Messages.h"

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
LevelSample lastMeasurement(const Receiver& receiver, std::chrono::system_clock::time_point at =
                                                          std::chrono::system_clock::now());

// The level log is CSV for spreadsheets and plotting tools: this header, then one line a
// measurement, such as "2026-12-09T03:41:07.123Z,137900000,90,5.98,-18,12,1": the time in UTC
// (ISO 8601, milliseconds), the frequency in Hz, the byte, the level as the panel's meter shows it,
// dB over S9 as `l STRENGTH` answers it, the supply in volts, and 1 when the squelch was open.
// LF line ends; numbers are written the same in every locale.
inline constexpr std::string_view LevelLogHeader =
    "time_utc,frequency_hz,converter_byte,level,db_over_s9,supply_volts,squelch_open\n";
std::string levelLogLine(const LevelSample& sample);

// A level log being written: opened as traces are (regular files only, never the settings file,
// a root run's rules), kept under a size limit, made of whole lines whatever happens; every line
// goes to the file at once, so a log read while it grows (or cut by a signal) ends on a whole one.
// A log that reaches its limit or cannot be written is told once and ends.
class LevelLog {
public:
    // The log, its header written; or why the file cannot be used, in words for the operator.
    static std::variant<std::unique_ptr<LevelLog>, std::string> open(
        const std::string& path, const std::string& settingsPath, std::uint64_t limit,
        MessageSink& messages);

    // False once the log has ended.
    bool write(const LevelSample& sample);
    bool running() const { return stream_ != nullptr; }
    const std::string& path() const { return path_; }

private:
    LevelLog(std::unique_ptr<std::ostream> stream, std::string path, std::uint64_t limit,
             MessageSink& messages);
    bool put(std::string_view line);

    std::unique_ptr<std::ostream> stream_;
    std::string path_;
    std::uint64_t limit_;
    std::uint64_t written_ = 0;
    MessageSink& messages_;
};

}  // namespace orvex
