#include "hardware/trace/TextTraceWriter.h"

#include <iomanip>

namespace orvex {

TextTraceWriter::TextTraceWriter(TraceOutput output) : TraceWriter(std::move(output)) {
    out() << "# orvex port trace 1\n";
}

void TextTraceWriter::access(std::chrono::nanoseconds at, AccessKind kind,
                             const PortAccess& access) {
    seconds(at);
    out() << (kind == AccessKind::Write ? " W " : " R ") << access.address << ' '
          << static_cast<int>(access.value) << (access.dropped ? " dropped\n" : "\n");
}

void TextTraceWriter::pause(std::chrono::nanoseconds at, std::chrono::microseconds length) {
    seconds(at);
    out() << " P " << length.count() << '\n';
}

// Whole microseconds, counted in integers so that no rounding of a double can reorder two lines.
void TextTraceWriter::seconds(std::chrono::nanoseconds at) {
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(at).count();
    out() << micros / 1'000'000 << '.' << std::setw(6) << std::setfill('0') << micros % 1'000'000;
}

}  // namespace orvex
