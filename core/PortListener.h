#pragma once

#include <chrono>

#include "core/PortIo.h"

namespace orvex {

// Hears every access and pause that reaches the board, in the order they happen: a trace, the
// board monitor. A read carries the byte it returned.
class PortListener {
public:
    virtual ~PortListener() = default;
    virtual void heard(AccessKind kind, const PortAccess& access) = 0;
    virtual void paused(std::chrono::microseconds /*length*/) {}
};

}  // namespace orvex
