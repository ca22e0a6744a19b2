#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "core/Messages.h"
#include "core/PortListener.h"
#include "hardware/trace/TraceWriter.h"

namespace orvex {

// The time since the trace began.
using TraceClock = std::function<std::chrono::nanoseconds()>;

// A steady clock that starts at zero now.
TraceClock steadyTraceClock();

// Hears every access and pause at the port tap and writes each to a trace file (a read with the
// byte it returned). A trace that can no longer be written, or that reached its size limit, is told
// once to the operator and ends on a complete entry; whoever keeps it is told too (whenEnded),
// and the receiver works on as before.
class PortTrace : public PortListener {
public:
    PortTrace(std::unique_ptr<TraceWriter> writer, MessageSink& messages,
              TraceClock clock = steadyTraceClock());

    void heard(AccessKind kind, const PortAccess& access) override;
    void paused(std::chrono::microseconds length) override;

    // Puts everything so far into the file; the program calls it before ending at once.
    void flush();
    // False once the trace has ended by itself.
    bool running() const { return writer_ != nullptr; }
    // Called once when the trace ends by itself, from inside the access that ended it: the
    // callee must not remove the trace from the tap there and then.
    void whenEnded(std::function<void()> ended) { ended_ = std::move(ended); }

private:
    void checkWritten();

    std::unique_ptr<TraceWriter> writer_;  // null once the trace could not be written
    MessageSink& messages_;
    TraceClock clock_;
    std::function<void()> ended_;
};

}  // namespace orvex
