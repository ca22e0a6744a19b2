#include "hardware/trace/VcdTraceWriter.h"

#include <algorithm>

namespace orvex {
namespace {

// One-character identifiers, the shortest the format allows.
char code(std::size_t index) {
    return static_cast<char>('a' + index);
}

// The file's time unit, and the least that separates two accesses.
constexpr std::chrono::nanoseconds Step{1};

bool isOutput(Register reg) {
    return reg != Register::Status;
}

}  // namespace

VcdTraceWriter::VcdTraceWriter(TraceOutput output) : TraceWriter(std::move(output)) {
    header();
}

VcdTraceWriter::~VcdTraceWriter() {
    flush();
}

void VcdTraceWriter::header() {
    out() << "$version orvex port trace 1 $end\n"
             "$timescale 1ns $end\n"
             "$scope module port $end\n";
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        out() << "$var wire 1 " << code(i) << ' ' << Signals[i].name << " $end\n";
    }
    out() << "$upscope $end\n"
             "$enddefinitions $end\n"
             "#0\n"
             "$dumpvars\n";
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        out() << 'x' << code(i) << '\n';
    }
    out() << "$end\n";
}

void VcdTraceWriter::access(std::chrono::nanoseconds at, AccessKind kind,
                            const PortAccess& access) {
    if (access.dropped) {
        return;
    }
    last_ = std::max({at, last_ + Step, earliest_});
    // A write drives the port's output lines, a read samples its input lines.
    if ((kind == AccessKind::Write) != isOutput(access.reg)) {
        return;
    }
    bool stamped = false;
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        const Signal& signal = Signals[i];
        if (signal.reg != access.reg) {
            continue;
        }
        bool level = (access.value & signal.mask) != 0;
        if (signal.reg == Register::Control && (signal.mask & ControlInversionMask) != 0) {
            level = !level;
        }
        if (levels_[i] == level) {
            continue;
        }
        levels_[i] = level;
        if (!stamped) {
            out() << '#' << last_.count() << '\n';
            stamped = true;
        }
        out() << (level ? '1' : '0') << code(i) << '\n';
    }
    pending_ = pending_ || stamped;
}

void VcdTraceWriter::pause(std::chrono::nanoseconds at, std::chrono::microseconds length) {
    earliest_ = std::max(earliest_, std::max(at, last_) + length);
    pending_ = true;
}

void VcdTraceWriter::flush() {
    if (pending_) {
        last_ = std::max(last_ + Step, earliest_);
        out() << '#' << last_.count() << '\n';
        pending_ = false;
    }
    TraceWriter::flush();
}

}  // namespace orvex
