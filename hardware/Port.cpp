#include "hardware/Port.h"

#include "core/Lines.h"

namespace orvex {

PortAccess Port::access(int address, int value) const {
    const int base = state_.PortBase;
    const int offset = address - base;
    const bool isRegister =
        offset >= orvex::value(Register::Data) && offset <= orvex::value(Register::Control);
    const bool inPort = base != 0 && isRegister;
    return PortAccess{
        .address = address,
        .reg = isRegister ? static_cast<Register>(offset) : Register::Data,
        .value = static_cast<std::uint8_t>(value & 0xFF),
        .dropped = !inPort,
    };
}

void Port::WritePort(int address, int value) {
    io_->write(access(address, value));
}

int Port::ReadPort(int address) {
    const PortAccess request = access(address, 0);
    const std::uint8_t byte = io_->read(request);
    return request.dropped ? 0 : byte;
}

}  // namespace orvex
