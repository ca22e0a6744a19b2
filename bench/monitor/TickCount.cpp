// Runs a number of measurement ticks in one of the benchmark's set-ups, for
// count-instructions.sh to count under callgrind: tick_count board|tap|decoder|watching TICKS.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "TickRig.h"

int main(int argc, char** argv) {
    using orvex::bench::Reach;
    const std::string_view name = argc > 1 ? argv[1] : "";
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 0;
    const Reach reach = name == "board"      ? Reach::Board
                        : name == "tap"      ? Reach::Tap
                        : name == "watching" ? Reach::TapWithWatchingDecoder
                                             : Reach::TapWithDecoder;
    if ((name != "board" && name != "tap" && name != "decoder" && name != "watching") ||
        ticks <= 0) {
        std::fprintf(stderr, "usage: tick_count board|tap|decoder|watching TICKS\n");
        return 2;
    }
    orvex::bench::TickingReceiver ticking(reach);
    for (int i = 0; i < ticks; ++i) {
        ticking.tick();
    }
    return 0;
}
