#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Clock.h"
#include "core/PortIo.h"
#include "hardware/sim/Band.h"
#include "hardware/sim/ConverterChip.h"
#include "hardware/sim/LevelDetector.h"
#include "hardware/sim/SynthesizerChip.h"

namespace orvex::sim {

// Everything the simulated board holds at one moment, for tests and a monitor window.
struct BoardSnapshot {
    std::uint8_t dataLines = 0;        // the last byte written to the data register
    std::uint8_t controlRegister = 0;  // the last byte written to the control register
    bool powered = false;
    bool muted = false;
    int volume = 0;  // 0..7
    bool audible = false;
    SynthesizerChip::State synthesizer;
    ConverterChip::State converter;
    double signalLevel = 0.0;                // the level the detector sees now, without jitter
    std::string station;                     // the station heard; empty on the noise floor
    std::array<std::uint8_t, 4> channels{};  // what a conversion of channels 0..3 would give now

    friend bool operator==(const BoardSnapshot&, const BoardSnapshot&) = default;
};

// The receiver board modelled chip by chip behind the port interface, so the program can run and
// be tested with no hardware. It answers at either port base: only the register of an access
// matters. Data bit 7 powers the board; when it drops the synthesizer and the converter lose their
// registers, and while it is low their inputs are dead and the converter's output reads 0.
//
// With a clock the board takes time as a real one does: after a new divider word the level
// detector shows the old channel's level until the synthesizer has locked and its filter has
// settled (LevelDetector.h), and a live band changes with the time. Without one it settles at
// once and its band stands still, which is what tests of port sequences and readings expect.
class SimulatedBoard : public PortIo {
public:
    // What the converter's channels other than the signal carry.
    static constexpr std::uint8_t SupplyByte = 132;     // 12.0 V through the supply divider
    static constexpr std::uint8_t SpareByte = 100;      // channel 2, a fixed divider on the board
    static constexpr std::uint8_t ReferenceByte = 255;  // channel 3, the converter's reference

    // How the title and the About window name this board.
    static constexpr const char* Name = "Simulated board";

    explicit SimulatedBoard(std::shared_ptr<const Clock> clock = nullptr)
        : clock_(std::move(clock)) {}

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    std::string describe() const override { return Name; }

    // The antenna's view of the band: tests put in their own stations and turn the jitter off.
    Band& band() { return band_; }
    const Band& band() const { return band_; }
    void setStations(std::vector<Station> stations) { band_.setStations(std::move(stations)); }

    bool powered() const { return (data_ & value(DataLine::Power)) != 0; }
    bool muted() const { return (data_ & value(DataLine::Mute)) != 0; }
    int volume() const;
    bool audible() const { return powered() && !muted() && volume() > 0; }
    bool locked() const { return powered() && synthesizer_.locked(); }

    BoardSnapshot snapshot() const;

private:
    void writeData(std::uint8_t lines);
    // The exact byte channel `channel` converts to now; the signal without jitter.
    std::uint8_t channelByte(int channel) const;
    std::uint8_t convert(int channel);
    std::optional<double> tunedKHz() const;
    std::string heardStationName() const;
    std::chrono::microseconds now() const {
        return clock_ ? clock_->now() : std::chrono::microseconds{};
    }
    // The level the detector shows now.
    double detected() const;

    std::uint8_t data_ = 0;
    // The port comes up with the silent code, so the board is quiet until the program sets a
    // volume.
    std::uint8_t control_ = SilentVolumeCode;
    SynthesizerChip synthesizer_;
    ConverterChip converter_;
    Band band_;
    std::shared_ptr<const Clock> clock_;
    LevelDetector detector_;
    std::optional<double> previousKHz_;  // tuned before the last retune
};

}  // namespace orvex::sim
