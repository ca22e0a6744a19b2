#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "core/PortIo.h"

namespace orvex {

// The first line of every trace file by format, what tells a trace of ours from any other file.
inline constexpr std::string_view TextTraceFirstLine = "# orvex port trace 1\n";
inline constexpr std::string_view VcdTraceFirstLine = "$version orvex port trace 1 $end\n";

// Where a trace goes: the stream, the name to give the operator when it cannot be written, and
// how many bytes it may take (0: no limit).
struct TraceOutput {
    std::unique_ptr<std::ostream> stream;
    std::string name;
    std::uint64_t limit = 0;
};

// Turns the accesses and pauses of a trace into one file format. Times count from the start of
// the trace; a read carries the byte it returned. Everything goes out in whole records (a line, a
// time step with its changes), so a trace that stops at its limit ends on a complete one.
class TraceWriter {
public:
    explicit TraceWriter(TraceOutput output) : output_(std::move(output)) {}
    virtual ~TraceWriter() = default;

    virtual void access(std::chrono::nanoseconds at, AccessKind kind, const PortAccess& access) = 0;
    virtual void pause(std::chrono::nanoseconds at, std::chrono::microseconds length) = 0;
    // Puts everything written so far into the file, complete enough to be read as it stands.
    virtual void flush() { output_.stream->flush(); }

    // False once the stream has refused something (a full disk, a file removed under us).
    bool good() const { return !output_.stream->fail(); }
    // True once a record did not fit under the limit; nothing more is written after it.
    bool full() const { return full_; }
    const std::string& name() const { return output_.name; }
    std::uint64_t limit() const { return output_.limit; }

protected:
    // Writes one whole record, or nothing (now and from then on) when it would take the file
    // past its limit or into the room kept back for the closing record.
    void writeRecord(std::string_view record);
    // The format's last words (a final time mark); they may use the room kept back.
    void writeClosingRecord(std::string_view record);
    void keepBack(std::uint64_t bytes) { keptBack_ = bytes; }

private:
    bool fits(std::string_view record, std::uint64_t room) const;

    TraceOutput output_;
    std::uint64_t written_ = 0;
    std::uint64_t keptBack_ = 0;
    bool full_ = false;
};

}  // namespace orvex
