#pragma once

#include "core/PortIo.h"
#include "core/ReceiverState.h"

namespace orvex {

// The only way any handler reaches the board. Addresses are absolute, as the handlers compute them
// from PortBase; the layer keeps the low 8 bits of a value and lets through only the port's three
// registers. With no port chosen (PortBase 0) every access is dropped, so nothing ever reaches the
// PC's I/O addresses 0 to 2, and a dropped read gives 0.
class Port {
public:
    Port(PortIo& io, const ReceiverState& state) : io_(&io), state_(state) {}

    void WritePort(int address, int value);
    int ReadPort(int address);

    // The operator chose a new base; the backend may open the matching device.
    void baseChanged() { io_->selectBase(state_.PortBase); }

    PortIo& io() const { return *io_; }

private:
    PortAccess access(int address, int value) const;

    PortIo* io_;
    const ReceiverState& state_;
};

}  // namespace orvex
