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
// byte it returned). A trace that can no longer be written is told once to the operator and stops;
// the receiver works on as before.
class PortTrace : public PortListener {
public:
    PortTrace(std::unique_ptr<TraceWriter> writer, MessageSink& messages,
              TraceClock clock = steadyTraceClock());

    void heard(AccessKind kind, const PortAccess& access) override;
    void paused(std::chrono::microseconds length) override;

    // Puts everything so far into the file; the program calls it before ending at once.
    void flush();

private:
    void checkWritten();

    std::unique_ptr<TraceWriter> writer_;  // null once the trace could not be written
    MessageSink& messages_;
    TraceClock clock_;
};

}  // namespace orvex
