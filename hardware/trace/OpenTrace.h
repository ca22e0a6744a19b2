#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hardware/trace/TraceLimit.h"
#include "hardware/trace/TracePort.h"

namespace orvex {

// What a trace needs to know before it opens its file.
struct TraceRequest {
    std::string path;
    std::string settingsPath;                 // never to be overwritten by the trace
    std::uint64_t limit = DefaultTraceLimit;  // bytes the file may take; 0: no limit
};

// A trace of every access and pause into a new file (TraceFile.h says which files are taken): a
// value change dump when the name ends in ".vcd", text otherwise. When the file cannot be used the
// operator is told why and nothing is returned; the program then runs on without a trace.
std::unique_ptr<TracePort> openTrace(const TraceRequest& request, PortIo& inner, Delay& innerDelay,
                                     MessageSink& messages, TraceClock clock = steadyTraceClock());

}  // namespace orvex
