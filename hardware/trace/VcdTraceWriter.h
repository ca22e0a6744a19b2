#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "core/Lines.h"
#include "hardware/trace/TraceWriter.h"

namespace orvex {

// A value change dump (IEEE 1364, 1 ns steps) of the lines the board sees: the eight data lines,
// the four control lines as they leave the port (after its inversion of lines 0, 1 and 3) and the
// converter's output on status bit 6. GTKWave shows it; sigrok's SPI decoder reads the synthesizer
// words from synth_clock, synth_data and synth_enable (as an active-low select).
//
// Dropped accesses reached no line and are left out. Every access gets a time of its own, later
// than the one before, so that no clock edge merges with the next; a pause moves the time on by
// its length when the clock has not (a delay that does not sleep).
class VcdTraceWriter : public TraceWriter {
public:
    explicit VcdTraceWriter(TraceOutput output);
    ~VcdTraceWriter() override;

    void access(std::chrono::nanoseconds at, AccessKind kind, const PortAccess& access) override;
    void pause(std::chrono::nanoseconds at, std::chrono::microseconds length) override;
    // Also closes the last step with a time mark after it: a reader takes a change at the very
    // last time of a file for the file's end and may not see it as an edge.
    void flush() override;

    struct Signal {
        const char* name;
        Register reg;
        std::uint8_t mask;
    };
    // The lines in the order viewers list them, each with the register bit that drives it.
    // clang-format off
    static constexpr std::array<Signal, 13> Signals{{
        {"power",        Register::Data,    value(DataLine::Power)},
        {"synth_data",   Register::Data,    value(DataLine::SynthData)},
        {"synth_enable", Register::Data,    value(DataLine::SynthEnable)},
        {"synth_clock",  Register::Data,    value(DataLine::SynthClock)},
        {"mute",         Register::Data,    value(DataLine::Mute)},
        {"adc_clock",    Register::Data,    value(DataLine::ConverterClock)},
        {"adc_data",     Register::Data,    value(DataLine::ConverterData)},
        {"d0",           Register::Data,    1},
        // The volume code drives the position onto three control lines as a binary number.
        {"volume_4",     Register::Control, value(ControlLine::Volume4)},
        {"volume_2",     Register::Control, value(ControlLine::Volume2)},
        {"ctl2",         Register::Control, value(ControlLine::Spare)},
        {"volume_1",     Register::Control, value(ControlLine::Volume1)},
        {"adc_out",      Register::Status,  value(StatusLine::ConverterOut)},
    }};
    // clang-format on

private:
    void header();

    std::array<std::optional<bool>, Signals.size()> levels_{};  // unknown until first driven
    std::chrono::nanoseconds last_{0};                          // the time of the latest access
    std::chrono::nanoseconds earliest_{1};  // no access before this: after time 0 and any pause
    bool pending_ = false;                  // something happened since the last time mark
    std::string record_;                    // the time step being made
};

}  // namespace orvex
