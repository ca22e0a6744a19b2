#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <variant>

#include "controls/LevelLine.h"
#include "core/Messages.h"

namespace orvex {

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
