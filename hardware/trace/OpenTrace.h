#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "hardware/trace/PortTrace.h"
#include "hardware/trace/TraceLimit.h"

namespace orvex {

// What a trace needs to know before it opens its file.
struct TraceRequest {
    std::string path;
    std::string settingsPath{};               // never to be overwritten by the trace
    std::uint64_t limit = DefaultTraceLimit;  // bytes the file may take; 0: no limit
};

// A trace of every access and pause into a new file (TraceFile.h says which files are taken), to
// hang on the port tap: a value change dump when the name ends in ".vcd", text otherwise. When the
// file cannot be used the operator is told why and nothing is returned; the program then runs on
// without a trace.
std::unique_ptr<PortTrace> openTrace(const TraceRequest& request, MessageSink& messages,
                                     TraceClock clock = steadyTraceClock());

}  // namespace orvex
