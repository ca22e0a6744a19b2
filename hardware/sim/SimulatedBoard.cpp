#include "hardware/sim/SimulatedBoard.h"

namespace orvex::sim {

void SimulatedBoard::write(const PortAccess& access) {
    if (access.dropped) {
        return;
    }
    switch (access.reg) {
        case Register::Data:
            writeData(access.value);
            break;
        case Register::Control:
            control_ = access.value;
            break;
        case Register::Status:
            break;  // input lines: a write changes nothing
    }
}

std::uint8_t SimulatedBoard::read(const PortAccess& access) {
    if (access.dropped) {
        return 0;
    }
    switch (access.reg) {
        case Register::Data:
            return data_;
        case Register::Control:
            return control_;
        case Register::Status:
            return powered() && converter_.outputBit() ? value(StatusLine::ConverterOut) : 0;
    }
    return 0;
}

void SimulatedBoard::writeData(std::uint8_t lines) {
    const std::uint8_t before = data_;
    const bool wasPowered = powered();
    data_ = lines;
    if (!powered()) {
        if (wasPowered) {
            synthesizer_.reset();
            converter_.reset();
            detector_.reset();
            previousKHz_.reset();
        }
        return;
    }
    if (!wasPowered) {
        return;  // a line already high when power comes is no edge to the chips
    }
    // Only a latch can retune; the detector then settles from the frequency tuned before.
    const int enable = value(DataLine::SynthEnable);
    const bool latching = clock_ && (before & enable) == 0 && (lines & enable) != 0;
    const std::optional<double> tunedBefore = latching ? tunedKHz() : std::nullopt;
    synthesizer_.drive(before, lines);
    if (latching && tunedKHz() != tunedBefore) {
        previousKHz_ = tunedBefore;
        detector_.retuned(now());
    }
    if (converter_.drive(before, lines)) {
        converter_.load(convert(converter_.channel()));
    }
}

std::optional<double> SimulatedBoard::tunedKHz() const {
    // Out of lock the oscillator wanders: the detector hears only noise.
    return locked() ? synthesizer_.receiveKHz() : std::nullopt;
}

std::uint8_t SimulatedBoard::channelByte(int channel) const {
    switch (channel) {
        case 0:
            return Band::levelByte(band_.level(tunedKHz(), now()));
        case 1:
            return SupplyByte;
        case 2:
            return SpareByte;
        case 3:
            return ReferenceByte;
        default:
            return 0;  // inputs 4 to 15 are grounded
    }
}

double SimulatedBoard::detected() const {
    const std::chrono::microseconds at = now();
    const double level = band_.level(tunedKHz(), at);
    return detector_.settling(at) ? detector_.shows(at, level, band_.level(previousKHz_, at))
                                  : level;
}

std::uint8_t SimulatedBoard::convert(int channel) {
    return channel == 0 ? band_.convertLevel(detected()) : channelByte(channel);
}

std::string SimulatedBoard::heardStationName() const {
    const std::optional<Station> heard = band_.stationHeard(tunedKHz(), now());
    return heard ? heard->name : std::string();
}

int SimulatedBoard::volume() const {
    return volumeFromControl(control_);
}

BoardSnapshot SimulatedBoard::snapshot() const {
    return BoardSnapshot{
        .dataLines = data_,
        .controlRegister = control_,
        .powered = powered(),
        .muted = muted(),
        .volume = volume(),
        .audible = audible(),
        .synthesizer = synthesizer_.state(),
        .converter = converter_.state(),
        .signalLevel = band_.level(tunedKHz(), now()),
        .station = heardStationName(),
        .channels = {channelByte(0), channelByte(1), channelByte(2), channelByte(3)},
    };
}

}  // namespace orvex::sim
