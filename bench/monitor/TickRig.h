#pragma once

// The receiver switched on at LPT1 and tuned to 137.700 MHz on the simulated board, with pauses
// that do nothing: shared by the benchmark and the instruction count.

#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "hardware/PortTap.h"
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

// How the receiver reaches the board: directly, or through the port tap the program puts in
// front of every board, with or without the access decoder listening; the decoder follows the
// synthesizer and the lines always, and the converter's bytes while the monitor is open.
enum class Reach { Board, Tap, TapWithDecoder, TapWithWatchingDecoder };

struct TickingReceiver {
    explicit TickingReceiver(Reach reach)
        : receiver(reach == Reach::Board ? static_cast<PortIo&>(board) : tap,
                   reach == Reach::Board ? static_cast<Delay&>(nothing) : tap, settings, messages) {
        if (reach == Reach::TapWithDecoder || reach == Reach::TapWithWatchingDecoder) {
            decoder.setWatching(reach == Reach::TapWithWatchingDecoder);
            tap.addBatchListener(decoder);
        }
        receiver.Form_Load();
        receiver.choosePort(Lpt1Base);
        receiver.Toggle7_Change(true);
        receiver.LedDisplay1_Entry("137.7");
    }

    // One measurement tick as the program runs it: the handler, then what it did delivered to
    // the tap's batch listeners. Never inlined: callgrind counts from its entry.
    [[gnu::noinline]] void tick() {
        receiver.Timer1_Timer();
        tap.deliver();
    }

    sim::SimulatedBoard board;
    NullDelay nothing;
    PortTap tap{board, nothing};
    AccessDecoder decoder;
    NoSettings settings;
    MessageQueue messages;
    Receiver receiver;
};

}  // namespace orvex::bench
