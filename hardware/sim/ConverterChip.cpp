#include "hardware/sim/ConverterChip.h"

#include "core/Lines.h"

namespace orvex::sim {

bool ConverterChip::drive(std::uint8_t before, std::uint8_t after) {
    const int clock = value(DataLine::ConverterClock);
    if ((before & clock) != 0 || (after & clock) == 0) {
        return false;
    }
    if (clocks_ < ConverterAddressBits) {
        const int bit = (after & value(DataLine::ConverterData)) != 0 ? 1 : 0;
        address_ = ((address_ << 1) | bit) & ((1 << ConverterAddressBits) - 1);
    }
    ++clocks_;
    if (clocks_ < ConverterClocksPerTransfer) {
        return false;
    }
    clocks_ = 0;
    return true;
}

void ConverterChip::load(std::uint8_t byte) {
    output_ = byte;
    address_ = 0;
}

}  // namespace orvex::sim
