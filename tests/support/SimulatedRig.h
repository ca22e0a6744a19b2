#pragma once

#include "controls/ReceiverActions.h"
#include "hardware/sim/SimulatedBoard.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {

// The receiver on the simulated board (exact conversions, every access recorded, pauses not
// slept), with its host and the actions a front end works it through.
struct SimulatedRig {
    SimulatedRig() { board.band().setJitter(0); }

    sim::SimulatedBoard board;
    Recorder recorder{&board};
    MemorySettings settings;
    MessageQueue messages;
    Receiver receiver{recorder, recorder, settings, messages};
    ReceiverHost host{receiver, messages};
    ReceiverActions actions{host};
};

}  // namespace orvex::test
