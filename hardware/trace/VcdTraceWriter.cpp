#include "hardware/trace/VcdTraceWriter.h"

#include <algorithm>
#include <array>
#include <charconv>

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

void appendTimeMark(std::string& record, std::chrono::nanoseconds at) {
    std::array<char, 24> digits{};
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), at.count());
    record += '#';
    record.append(digits.data(), end);
    record += '\n';
}

// Room for the closing time mark: '#', the digits of any time, the line ending.
constexpr std::uint64_t ClosingMarkRoom = 24;

}  // namespace

VcdTraceWriter::VcdTraceWriter(TraceOutput output) : TraceWriter(std::move(output)) {
    keepBack(ClosingMarkRoom);
    header();
}

VcdTraceWriter::~VcdTraceWriter() {
    flush();
}

void VcdTraceWriter::header() {
    std::string text(VcdTraceFirstLine);
    text +=
        "$timescale 1ns $end\n"
        "$scope module port $end\n";
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        text += "$var wire 1 ";
        text += code(i);
        text += ' ';
        text += Signals[i].name;
        text += " $end\n";
    }
    text +=
        "$upscope $end\n"
        "$enddefinitions $end\n"
        "#0\n"
        "$dumpvars\n";
    for (std::size_t i = 0; i < Signals.size(); ++i) {
        text += 'x';
        text += code(i);
        text += '\n';
    }
    text += "$end\n";
    writeRecord(text);
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
    record_.clear();
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
        if (record_.empty()) {
            appendTimeMark(record_, last_);
        }
        record_ += level ? '1' : '0';
        record_ += code(i);
        record_ += '\n';
    }
    if (!record_.empty()) {
        writeRecord(record_);
        pending_ = true;
    }
}

void VcdTraceWriter::pause(std::chrono::nanoseconds at, std::chrono::microseconds length) {
    earliest_ = std::max(earliest_, std::max(at, last_) + length);
    pending_ = true;
}

void VcdTraceWriter::flush() {
    if (pending_) {
        last_ = std::max(last_ + Step, earliest_);
        record_.clear();
        appendTimeMark(record_, last_);
        writeClosingRecord(record_);
        pending_ = false;
    }
    TraceWriter::flush();
}

}  // namespace orvex
