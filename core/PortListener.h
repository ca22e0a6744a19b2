#pragma once

#include <chrono>
#include <cstdint>
#include <span>

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

// One access as a batch carries it, in two bytes: the value in the low byte; above it whether it
// was a read, whether it was dropped, and the register. A plain write to the data register (most
// of what the board sees) has nothing above its value, so a listener tells it with one test.
class HeardAccess {
public:
    HeardAccess() = default;
    HeardAccess(AccessKind kind, const PortAccess& access)
        : word_(static_cast<std::uint16_t>(access.value | (kind == AccessKind::Read ? ReadBit : 0) |
                                           (access.dropped ? DroppedBit : 0) |
                                           static_cast<unsigned>(access.reg) << RegisterShift)) {}

    bool plainDataWrite() const { return (word_ >> 8) == 0; }
    AccessKind kind() const {
        return (word_ & ReadBit) != 0 ? AccessKind::Read : AccessKind::Write;
    }
    Register reg() const { return static_cast<Register>(word_ >> RegisterShift); }
    std::uint8_t value() const { return static_cast<std::uint8_t>(word_); }
    bool dropped() const { return (word_ & DroppedBit) != 0; }

private:
    static constexpr unsigned ReadBit = 1u << 8;
    static constexpr unsigned DroppedBit = 1u << 9;
    static constexpr unsigned RegisterShift = 10;

    std::uint16_t word_ = 0;
};

// What a batch listener needs to hear: every access, except the data-register writes that change
// none of `dataLines` and, unless `statusReads`, the status reads, which the tap only counts.
struct BatchInterest {
    std::uint8_t dataLines = 0xFF;
    bool statusReads = true;
};

// The accesses a batch left out, counted.
struct PassedBy {
    std::uint64_t writes = 0;
    std::uint64_t reads = 0;
};

// Hears the same accesses, in order, a batch at a time (PortTap::deliver), pauses left out: for a
// listener that follows the lines (the board monitor's decoder), where a call for every access
// would cost more than the access itself.
class BatchPortListener {
public:
    virtual ~BatchPortListener() = default;
    // Asked as the listener is added and when PortTap::askInterest says so.
    virtual BatchInterest interest() const { return {}; }
    virtual void heardAll(std::span<const HeardAccess> accesses, PassedBy passedBy) = 0;
};

}  // namespace orvex
