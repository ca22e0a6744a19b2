#include "hardware/trace/TextTraceWriter.h"

#include <array>
#include <charconv>

namespace orvex {
namespace {

// Numbers by to_chars: plain digits whatever the desktop's language, and no stream formatting
// on a path taken for every port access.
void appendNumber(std::string& line, long long number) {
    std::array<char, 24> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), number);
    line.append(digits.data(), end);
}

void appendSixDigits(std::string& line, long long number) {
    std::array<char, 6> digits{};
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        *it = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    line.append(digits.data(), digits.size());
}

}  // namespace

TextTraceWriter::TextTraceWriter(TraceOutput output) : TraceWriter(std::move(output)) {
    writeRecord(TextTraceFirstLine);
}

void TextTraceWriter::access(std::chrono::nanoseconds at, AccessKind kind,
                             const PortAccess& access) {
    seconds(at);
    line_ += kind == AccessKind::Write ? " W " : " R ";
    appendNumber(line_, access.address);
    line_ += ' ';
    appendNumber(line_, access.value);
    line_ += access.dropped ? " dropped\n" : "\n";
    writeRecord(line_);
}

void TextTraceWriter::pause(std::chrono::nanoseconds at, std::chrono::microseconds length) {
    seconds(at);
    line_ += " P ";
    appendNumber(line_, length.count());
    line_ += '\n';
    writeRecord(line_);
}

// Starts a line with the time: whole microseconds, counted in integers so that no rounding of a
// double can reorder two lines.
void TextTraceWriter::seconds(std::chrono::nanoseconds at) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(at).count();
    line_.clear();
    appendNumber(line_, micros / 1'000'000);
    line_ += '.';
    appendSixDigits(line_, micros % 1'000'000);
}

}  // namespace orvex
