#include "app/Board.h"

#include "hardware/ppdev/PpdevPort.h"
#include "hardware/ppdev/PpdevProbe.h"
#include "hardware/sim/SimulatedBoard.h"

namespace orvex {
namespace {

Board simulated(QString note = {}) {
    return {std::make_unique<sim::SimulatedBoard>(), sim::SimulatedBoard::Name, std::move(note)};
}

Board parport(MessageSink& messages) {
    auto port = std::make_unique<PpdevPort>(messages);
    PpdevPort* raw = port.get();
    return {std::move(port), "parallel port", {}, raw};
}

}  // namespace

Board openBoard(BoardKind kind, MessageSink& messages) {
    switch (kind) {
        case BoardKind::Simulated:
            return simulated();
        case BoardKind::Parport:
            return parport(messages);
        case BoardKind::Auto:
            break;
    }
    const auto system = makeLinuxPpdevSystem();
    const PpdevProbe probe = probePpdev(*system);
    if (probe.found()) {
        return parport(messages);
    }
    return simulated(QString::fromStdString(probe.reason));
}

}  // namespace orvex
