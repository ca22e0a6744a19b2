#include "app/Backends.h"

#include "hardware/ppdev/PpdevPort.h"
#include "hardware/ppdev/PpdevProbe.h"
#include "hardware/sim/SimulatedBoard.h"

namespace orvex {

Board openSimulatedBoard(MessageSink& /*messages*/) {
    return {std::make_unique<sim::SimulatedBoard>(), sim::SimulatedBoard::Name, {}};
}

Board openParallelPort(MessageSink& messages) {
    return {std::make_unique<PpdevPort>(messages), "parallel port", {}};
}

Board openBestBoard(MessageSink& messages) {
    const auto system = makeLinuxPpdevSystem();
    const PpdevProbe probe = probePpdev(*system);
    if (probe.found()) {
        return openParallelPort(messages);
    }
    Board board = openSimulatedBoard(messages);
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
