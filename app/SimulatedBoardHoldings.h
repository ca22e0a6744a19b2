#pragma once

#include "hardware/sim/SimulatedBoard.h"
#include "ui/BoardMonitor.h"

namespace orvex {

// What the board monitor shows of the simulated board beside what it decoded.
inline BoardHoldings holdingsOf(const sim::SimulatedBoard& board) {
    const sim::BoardSnapshot held = board.snapshot();
    return BoardHoldings{
        .dataLines = held.dataLines,
        .controlRegister = held.controlRegister,
        .controlWord = held.synthesizer.controlWord,
        .referenceWord = held.synthesizer.referenceWord,
        .dividerWord = held.synthesizer.dividerWord,
        .receiveKHz = held.synthesizer.receiveKHz,
        .locked = held.synthesizer.locked,
        .station = held.station,
    };
}

}  // namespace orvex
