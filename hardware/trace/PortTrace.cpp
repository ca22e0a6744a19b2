#include "hardware/trace/PortTrace.h"

#include "hardware/trace/TraceLimit.h"

namespace orvex {

TraceClock steadyTraceClock() {
    return [start = std::chrono::steady_clock::now()] {
        return std::chrono::steady_clock::now() - start;
    };
}

PortTrace::PortTrace(std::unique_ptr<TraceWriter> writer, MessageSink& messages, TraceClock clock)
    : writer_(std::move(writer)), messages_(messages), clock_(std::move(clock)) {}

void PortTrace::heard(AccessKind kind, const PortAccess& access) {
    if (writer_ != nullptr) {
        writer_->access(clock_(), kind, access);
        checkWritten();
    }
}

void PortTrace::paused(std::chrono::microseconds length) {
    if (writer_ != nullptr) {
        writer_->pause(clock_(), length);
        checkWritten();
    }
}

void PortTrace::flush() {
    if (writer_ != nullptr) {
        writer_->flush();
        checkWritten();
    }
}

void PortTrace::checkWritten() {
    if (writer_->full()) {
        writer_->flush();
        messages_.post("The port trace " + writer_->name() + " reached its limit of " +
                       traceLimitText(writer_->limit()) +
                       " and ends there on a complete entry; the receiver works on (--trace-limit "
                       "sets another limit)");
    } else if (!writer_->good()) {
        messages_.post("The port trace " + writer_->name() +
                       " could not be written (is the disk full?): it stops here, the receiver "
                       "works on");
    } else {
        return;
    }
    writer_.reset();
    if (ended_) {
        ended_();
    }
}

}  // namespace orvex
