#include "app/Backends.h"

#include <random>

#include "hardware/ppdev/PpdevPort.h"
#include "hardware/ppdev/PpdevProbe.h"
#include "hardware/sim/SimulatedBoard.h"

namespace orvex {

// The program's simulated board takes time as a real one: it runs on the steady clock.
Board openSimulatedBoard(const SimulatedBand& band, MessageSink& /*messages*/) {
    auto board = std::make_unique<sim::SimulatedBoard>(std::make_shared<SteadyClock>());
    if (band.live) {
        board->band().goLive(band.seed ? *band.seed : std::random_device{}());
    }
    return {std::move(board), sim::SimulatedBoard::Name, {}};
}

Board openParallelPort(const SimulatedBand& /*band*/, MessageSink& messages) {
    return {std::make_unique<PpdevPort>(messages), "parallel port", {}};
}

Board openBestBoard(const SimulatedBand& band, MessageSink& messages) {
    const auto system = makeLinuxPpdevSystem();
    const PpdevProbe probe = probePpdev(*system);
    if (probe.found()) {
        return openParallelPort(band, messages);
    }
    Board board = openSimulatedBoard(band, messages);
    board.note = probe.reason;
    return board;
}

const Backend* findBackend(std::string_view name) {
    for (const Backend& backend : Backends) {
        if (backend.name == name) {
            return &backend;
        }
    }
    return nullptr;
}

}  // namespace orvex
