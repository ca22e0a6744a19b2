#pragma once

#include <vector>

#include "hardware/monitor/AccessDecoder.h"
#include "hardware/sim/SimulatedBoard.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {

using Events = std::vector<Recorder::Event>;

// Hands recorded accesses to a decoder in order, as the port tap does; pauses carry nothing
// for it.
inline void feed(AccessDecoder& decoder, const Events& events) {
    for (const Recorder::Event& event : events) {
        if (event.kind != Recorder::Kind::Pause) {
            decoder.heard(
                event.kind == Recorder::Kind::Write ? AccessKind::Write : AccessKind::Read,
                event.access);
        }
    }
}

// The events with `line` flipped in the data-register write that raises the synthesizer's clock
// for the `nth` time (from 0, dropped writes not counted): for the data line, the bit the chip
// shifts in there.
inline Events flippedAtClock(Events events, int nth, DataLine line) {
    int previous = 0;
    for (Recorder::Event& event : events) {
        if (event.kind != Recorder::Kind::Write || event.access.reg != Register::Data ||
            event.access.dropped) {
            continue;
        }
        const int lines = event.access.value;
        if ((lines & value(DataLine::SynthClock)) != 0 &&
            (previous & value(DataLine::SynthClock)) == 0 && nth-- == 0) {
            event.access.value = static_cast<std::uint8_t>(lines ^ value(line));
            return events;
        }
        previous = lines;
    }
    ADD_FAILURE() << "the events have too few clock pulses";
    return events;
}

// The receiver on the simulated board (no jitter) at LPT1, every access recorded: switched on at
// 132.000 MHz, then tuned to 137.700 MHz by typing on the display.
struct TuningRig {
    TuningRig() {
        board.band().setJitter(0);
        receiver.Form_Load();
        receiver.choosePort(Lpt1Base);
        receiver.Toggle7_Change(true);
        powerOn = take();
        receiver.LedDisplay1_Entry("137.7");
        tuning = take();
    }

    Events take() {
        Events events = recorder.events();
        recorder.clear();
        return events;
    }

    sim::SimulatedBoard board;
    Recorder recorder{&board};
    MemorySettings settings;
    MessageQueue messages;
    Receiver receiver{recorder, recorder, settings, messages};
    Events powerOn;  // start-up, the port choice and power-on
    Events tuning;   // the divider word of 137.700 MHz
};

}  // namespace orvex::test
