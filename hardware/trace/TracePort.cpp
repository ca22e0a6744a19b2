#include "hardware/trace/TracePort.h"

#include "hardware/trace/TraceLimit.h"

namespace orvex {

TraceClock steadyTraceClock() {
    return [start = std::chrono::steady_clock::now()] {
        return std::chrono::steady_clock::now() - start;
    };
}

TracePort::TracePort(PortIo& inner, Delay& innerDelay, std::unique_ptr<TraceWriter> writer,
                     MessageSink& messages, TraceClock clock)
    : inner_(inner),
      innerDelay_(innerDelay),
      writer_(std::move(writer)),
      messages_(messages),
      clock_(std::move(clock)) {}

// Recorded after the backend has it: what the backend does on the way (claim a port and silence
// it) then comes first in the trace, as it came first on the lines.
void TracePort::write(const PortAccess& access) {
    inner_.write(access);
    record(AccessKind::Write, access);
}

std::uint8_t TracePort::read(const PortAccess& access) {
    PortAccess answered = access;
    const std::uint8_t byte = inner_.read(access);
    answered.value = access.dropped ? 0 : byte;
    record(AccessKind::Read, answered);
    return answered.value;
}

void TracePort::pause(std::chrono::microseconds length) {
    if (writer_ != nullptr) {
        writer_->pause(clock_(), length);
        checkWritten();
    }
    innerDelay_.pause(length);
}

void TracePort::recordInnerWrite(const PortAccess& access) {
    record(AccessKind::Write, access);
}

void TracePort::flush() {
    if (writer_ != nullptr) {
        writer_->flush();
        checkWritten();
    }
}

void TracePort::record(AccessKind kind, const PortAccess& access) {
    if (writer_ != nullptr) {
        writer_->access(clock_(), kind, access);
        checkWritten();
    }
}

void TracePort::checkWritten() {
    if (writer_->full()) {
        writer_->flush();
        messages_.post("The port trace " + writer_->name() + " reached its limit of " +
                       traceLimitText(writer_->limit()) +
                       " and ends there on a complete entry; the receiver works on (--trace-limit "
                       "sets another limit)");
        writer_.reset();
    } else if (!writer_->good()) {
        messages_.post("The port trace " + writer_->name() +
                       " could not be written (is the disk full?): it stops here, the receiver "
                       "works on");
        writer_.reset();
    }
}

}  // namespace orvex
