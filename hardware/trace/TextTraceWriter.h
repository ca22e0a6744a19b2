#pragma once

#include <string>

#include "hardware/trace/TraceWriter.h"

namespace orvex {

// One line per event after the first line "# orvex port trace 1", fields separated by one space,
// numbers decimal, seconds with six decimals:
//   0.000012 W 888 128
//   0.000050 R 889 64
//   0.001234 P 1000          (a pause, in microseconds)
//   0.000001 W 0 0 dropped   (an access that reached no port)
class TextTraceWriter : public TraceWriter {
public:
    explicit TextTraceWriter(TraceOutput output);

    void access(std::chrono::nanoseconds at, AccessKind kind, const PortAccess& access) override;
    void pause(std::chrono::nanoseconds at, std::chrono::microseconds length) override;

private:
    void seconds(std::chrono::nanoseconds at);

    std::string line_;  // the line being made, kept to spare an allocation per access
};

}  // namespace orvex
