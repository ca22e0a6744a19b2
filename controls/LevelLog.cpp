#include "controls/LevelLog.h"

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

}  // namespace

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
