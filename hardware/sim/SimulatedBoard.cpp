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
        }
        return;
    }
    if (!wasPowered) {
        return;  // a line already high when power comes is no edge to the chips
    }
    synthesizer_.drive(before, lines);
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
            return Band::levelByte(band_.level(tunedKHz()));
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

std::uint8_t SimulatedBoard::convert(int channel) {
    return channel == 0 ? band_.convert(tunedKHz()) : channelByte(channel);
}

std::string SimulatedBoard::heardStationName() const {
    const Station* heard = band_.stationHeard(tunedKHz());
    return heard != nullptr ? heard->name : std::string();
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
        .signalLevel = band_.level(tunedKHz()),
        .station = heardStationName(),
        .channels = {channelByte(0), channelByte(1), channelByte(2), channelByte(3)},
    };
}

}  // namespace orvex::sim
