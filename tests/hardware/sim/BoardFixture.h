#pragma once

#include <gtest/gtest.h>

#include "core/ReceiverState.h"
#include "hardware/Converter.h"
#include "hardware/Port.h"
#include "hardware/Recorder.h"
#include "hardware/Synthesizer.h"
#include "hardware/sim/SimulatedBoard.h"

namespace orvex::sim {

// The program's own port layer, synthesizer loader and converter driving a simulated board, with
// the pauses recorded instead of slept and the signal jitter off.
class BoardFixture : public ::testing::Test {
protected:
    // With a clock the board takes time to settle after a retune; without, it settles at once.
    explicit BoardFixture(std::shared_ptr<const Clock> clock = nullptr) : board(std::move(clock)) {
        state.PortBase = Lpt1Base;
        state.RefDivider = 800;
        state.DividerScale = 1;
        board.band().setJitter(0);
    }

    void setPower(bool on) {
        state.PowerBits = on ? 128 : 0;
        port.WritePort(state.PortBase, state.RestByte());
    }

    // Powers the board and loads the words for `receiveKHz` as power-on does.
    void tuneTo(double receiveKHz) {
        setPower(true);
        synthesizer.INITIALIZE_PLL();
        synthesizer.LoadDivider(dividerWord(powerOnDividerValue(receiveKHz, state.DividerScale)));
    }

    void useFiveKHzComparison() {
        state.RefDivider = 1600;
        state.DividerScale = 2;
    }

    ReceiverState state;
    SimulatedBoard board;
    Recorder recorder{&board};
    Port port{recorder, state};
    Synthesizer synthesizer{state, port, recorder};
    Converter converter{state, port, recorder};
};

}  // namespace orvex::sim
