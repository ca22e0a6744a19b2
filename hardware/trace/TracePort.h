#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "core/Delay.h"
#include "core/Messages.h"
#include "core/PortIo.h"
#include "hardware/trace/TraceWriter.h"

namespace orvex {

// The time since the trace began.
using TraceClock = std::function<std::chrono::nanoseconds()>;

// A steady clock that starts at zero now.
TraceClock steadyTraceClock();

// Sits in front of any backend and its delay, passes every access and every pause on, and writes
// each to a trace (a read with the byte it returned). A trace that can no longer be written, or
// that reached its size limit, is told once to the operator and stops; the receiver works on as
// before.
class TracePort : public PortIo, public Delay {
public:
    TracePort(PortIo& inner, Delay& innerDelay, std::unique_ptr<TraceWriter> writer,
              MessageSink& messages, TraceClock clock = steadyTraceClock());

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    void selectBase(int base) override { inner_.selectBase(base); }
    std::string describe() const override { return inner_.describe(); }
    void pause(std::chrono::microseconds length) override;

    // Records a write the inner backend made by itself (the silent volume code right after a
    // port is claimed) without sending it again.
    void recordInnerWrite(const PortAccess& access);
    // Puts everything so far into the file; the program calls it before ending at once.
    void flush();

private:
    void record(AccessKind kind, const PortAccess& access);
    void checkWritten();

    PortIo& inner_;
    Delay& innerDelay_;
    std::unique_ptr<TraceWriter> writer_;  // null once the trace could not be written
    MessageSink& messages_;
    TraceClock clock_;
};

}  // namespace orvex
