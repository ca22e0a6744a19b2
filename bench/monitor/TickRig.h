#pragma once

// The receiver ticking on the simulated board with pauses that do nothing, and the listening hook
// the board monitor's decoder hangs on: shared by the benchmark and the instruction count.

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "hardware/monitor/AccessDecoder.h"
#include "hardware/sim/SimulatedBoard.h"

namespace orvex::bench {

class NullDelay : public Delay {
public:
    void pause(std::chrono::microseconds) override {}
};

class NoSettings : public SettingsStore {
public:
    SettingsSnapshot load() override { return {}; }
    bool save(const Values&) override { return true; }
};

// Passes every access on and tells the listener, if there is one, as the port's listener
// mechanism does.
class ListeningPort : public PortIo {
public:
    ListeningPort(PortIo& inner, AccessDecoder* listener) : inner_(inner), listener_(listener) {}

    void write(const PortAccess& access) override {
        inner_.write(access);
        if (listener_ != nullptr) {
            listener_->access(AccessKind::Write, access);
        }
    }
    std::uint8_t read(const PortAccess& access) override {
        PortAccess answered = access;
        answered.value = inner_.read(access);
        if (listener_ != nullptr) {
            listener_->access(AccessKind::Read, answered);
        }
        return answered.value;
    }

private:
    PortIo& inner_;
    AccessDecoder* listener_;
};

// The receiver switched on at LPT1 and tuned to 137.700 MHz, ticking through `io`.
struct TickingReceiver {
    explicit TickingReceiver(PortIo& io) : receiver(io, delay, settings, messages) {
        receiver.Form_Load();
        receiver.choosePort(Lpt1Base);
        receiver.Toggle7_Change(true);
        receiver.LedDisplay1_Entry("137.7");
    }

    NullDelay delay;
    NoSettings settings;
    MessageQueue messages;
    Receiver receiver;
};

}  // namespace orvex::bench
