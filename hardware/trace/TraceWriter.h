#pragma once

#include <chrono>
#include <memory>
#include <ostream>
#include <string>

#include "core/PortIo.h"

namespace orvex {

// Where a trace goes: the stream and the name to give the operator when it cannot be written.
struct TraceOutput {
    std::unique_ptr<std::ostream> stream;
    std::string name;
};

// Turns the accesses and pauses of a trace into one file format. Times count from the start of
// the trace; a read carries the byte it returned.
class TraceWriter {
public:
    explicit TraceWriter(TraceOutput output);
    virtual ~TraceWriter() = default;

    virtual void access(std::chrono::nanoseconds at, AccessKind kind, const PortAccess& access) = 0;
    virtual void pause(std::chrono::nanoseconds at, std::chrono::microseconds length) = 0;
    // Puts everything written so far into the file, complete enough to be read as it stands.
    virtual void flush() { out().flush(); }

    // False once the stream has refused something (a full disk, a file removed under us).
    bool good() const { return !output_.stream->fail(); }
    const std::string& name() const { return output_.name; }

protected:
    std::ostream& out() { return *output_.stream; }

private:
    TraceOutput output_;
};

}  // namespace orvex
