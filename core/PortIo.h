#pragma once

#include <cstdint>
#include <string>

#include "core/Lines.h"

namespace orvex {

// One register access as the port layer hands it to a backend. A dropped access reached no port
// (no port chosen, or an address outside the port's three registers); backends that talk to
// hardware ignore it, while recorders and traces keep it.
struct PortAccess {
    int address = 0;
    Register reg = Register::Data;
    std::uint8_t value = 0;  // written value, or the byte a read returned
    bool dropped = false;

    friend bool operator==(const PortAccess&, const PortAccess&) = default;
};

enum class AccessKind { Write, Read };

class PortListener;

// What a port backend does: ppdev, the simulated board, a recorder, a trace around another one.
class PortIo {
public:
    virtual ~PortIo() = default;
    virtual void write(const PortAccess& access) = 0;
    // Returns the byte read. A dropped read must return 0 without touching any port.
    virtual std::uint8_t read(const PortAccess& access) = 0;
    // The operator chose another port base; backends bound to a device may reopen.
    virtual void selectBase(int /*base*/) {}
    // One line for the operator naming the board in use: "Simulated board", the device path, or
    // the plain reason the device could not be opened. Decorators pass on their inner backend's.
    virtual std::string describe() const { return {}; }

    // Who hears the writes a backend makes by itself (ppdev silences the audio lines right after
    // claiming a port), so a trace or a monitor in front of it sees every write that reached the
    // board. Decorators pass it on to their inner backend.
    virtual void listenToOwnWrites(PortListener* listener) { ownWrites_ = listener; }

protected:
    void reportOwnWrite(const PortAccess& access);

private:
    PortListener* ownWrites_ = nullptr;
};

}  // namespace orvex
