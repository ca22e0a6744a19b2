#pragma once

#include <chrono>
#include <vector>

#include "core/Delay.h"
#include "core/PortIo.h"
#include "core/PortListener.h"

namespace orvex {

// Sits in front of the board and its delay and lets listeners hear every access and pause on the
// way, the backend's own writes included: the one place a trace or the board monitor hangs on.
// Listeners come and go while the receiver runs; with none, an access costs one branch.
class PortTap : public PortIo, public Delay {
public:
    PortTap(PortIo& inner, Delay& innerDelay);
    ~PortTap() override;
    PortTap(const PortTap&) = delete;
    PortTap& operator=(const PortTap&) = delete;

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    void selectBase(int base) override { inner_.selectBase(base); }
    std::string describe() const override { return inner_.describe(); }
    void pause(std::chrono::microseconds length) override;

    void addListener(PortListener& listener);
    void removeListener(PortListener& listener);

private:
    // The backend's own writes arrive here and go on to every listener.
    class OwnWrites : public PortListener {
    public:
        explicit OwnWrites(PortTap& tap) : tap_(tap) {}
        void heard(AccessKind kind, const PortAccess& access) override { tap_.tell(kind, access); }

    private:
        PortTap& tap_;
    };

    // Inline, so an access with nobody listening costs one test of an empty list.
    void tell(AccessKind kind, const PortAccess& access) {
        if (!listeners_.empty()) {
            tellEveryone(kind, access);
        }
    }
    void tellEveryone(AccessKind kind, const PortAccess& access);

    PortIo& inner_;
    Delay& innerDelay_;
    OwnWrites ownWrites_{*this};
    std::vector<PortListener*> listeners_;
};

}  // namespace orvex
