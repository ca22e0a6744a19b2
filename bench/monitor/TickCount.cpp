// Runs a number of measurement ticks in one of the benchmark's three set-ups, for
// count-instructions.sh to count under callgrind: tick_count board|hook|decoder TICKS.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "TickRig.h"

int main(int argc, char** argv) {
    using namespace orvex;
    const std::string_view variant = argc > 1 ? argv[1] : "";
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 0;
    if ((variant != "board" && variant != "hook" && variant != "decoder") || ticks <= 0) {
        std::fprintf(stderr, "usage: tick_count board|hook|decoder TICKS\n");
        return 2;
    }
    sim::SimulatedBoard board;
    AccessDecoder decoder;
    bench::ListeningPort hook(board, variant == "decoder" ? &decoder : nullptr);
    bench::TickingReceiver ticking(variant == "board" ? static_cast<PortIo&>(board) : hook);
    for (int i = 0; i < ticks; ++i) {
        ticking.receiver.Timer1_Timer();
    }
    return 0;
}
