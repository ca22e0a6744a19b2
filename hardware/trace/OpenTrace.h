#pragma once

#include <memory>
#include <string>

#include "hardware/trace/PortTrace.h"

namespace orvex {

// A trace of every access and pause into a new file, to hang on the port tap: a value change dump
// when the name ends in ".vcd", text otherwise. When the file cannot be created the operator is
// told why and nothing is returned; the program then runs on without a trace.
std::unique_ptr<PortTrace> openTrace(const std::string& path, MessageSink& messages,
                                     TraceClock clock = steadyTraceClock());

}  // namespace orvex
