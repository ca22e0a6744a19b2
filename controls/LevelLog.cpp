#include "controls/LevelLog.h"

#include <array>
#include <cstdio>
#include <ctime>

#include "controls/Receiver.h"
#include "controls/SignalScale.h"
#include "core/Band.h"
#include "core/NumberText.h"
#include "hardware/trace/TraceFile.h"
#include "hardware/trace/TraceLimit.h"

namespace orvex {
namespace {

const LogFileKind& levelLogKind() {
    static const LogFileKind kind{"level log",
                                  "level log",
                                  "--level-log",
                                  {LevelLogHeader},
                                  "; the receiver runs on without a level log"};
    return kind;
}

// "2026-12-09T03:41:07.123Z"
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
    const long long hertz = static_cast<long long>(sample.frequencyKHz.value_or(0)) * HzPerKHz;
    return utcText(sample.at) + "," + std::to_string(hertz) + "," +
           std::to_string(sample.converterByte) + "," + numberText(sample.level) + "," +
           std::to_string(dbOverS9(sample.level)) + "," + numberText(sample.supplyVolts) + "," +
           (sample.squelchOpen ? "1" : "0") + "\n";
}

std::variant<std::unique_ptr<LevelLog>, std::string> LevelLog::open(const std::string& path,
                                                                    const std::string& settingsPath,
                                                                    std::uint64_t limit,
                                                                    MessageSink& messages) {
    auto opened = openLogFile(levelLogKind(), path, settingsPath);
    if (auto* refusal = std::get_if<std::string>(&opened)) {
        return std::move(*refusal);
    }
    std::unique_ptr<LevelLog> log(new LevelLog(
        std::move(std::get<std::unique_ptr<std::ostream>>(opened)), path, limit, messages));
    log->stream_->write(LevelLogHeader.data(), LevelLogHeader.size());
    log->stream_->flush();
    if (log->stream_->fail()) {
        return "The level log " + path +
               " could not be written (is the disk full?); the receiver runs on without a level "
               "log";
    }
    log->written_ = LevelLogHeader.size();
    return log;
}

LevelLog::LevelLog(std::unique_ptr<std::ostream> stream, std::string path, std::uint64_t limit,
                   MessageSink& messages)
    : stream_(std::move(stream)), path_(std::move(path)), limit_(limit), messages_(messages) {}

bool LevelLog::write(const LevelSample& sample) {
    return running() && put(levelLogLine(sample));
}

bool LevelLog::put(std::string_view line) {
    if (limit_ != 0 && written_ + line.size() > limit_) {
        messages_.post("The level log " + path_ + " reached its limit of " +
                       traceLimitText(limit_) +
                       " and ends there on a complete line; the receiver works on "
                       "(--trace-limit sets another limit)");
        stream_.reset();
        return false;
    }
    stream_->write(line.data(), static_cast<std::streamsize>(line.size()));
    stream_->flush();
    if (stream_->fail()) {
        messages_.post("The level log " + path_ +
                       " could not be written (is the disk full?): it stops here, the receiver "
                       "works on");
        stream_.reset();
        return false;
    }
    written_ += line.size();
    return true;
}

}  // namespace orvex
