// What the board monitor costs the receiver: the measurement tick (84 writes and 32 reads on the
// simulated board, pauses that do nothing) with and without the access decoder listening to every
// access, and one redraw of the monitor window, which happens four times a second while it is
// open.

#include <QApplication>

#include <benchmark/benchmark.h>

#include "TickRig.h"
#include "ui/BoardMonitor.h"

namespace orvex::bench {
namespace {

template <Reach How>
void tick(benchmark::State& run) {
    TickingReceiver ticking(How);
    for (auto _ : run) {
        ticking.tick();
    }
}

void monitorRedraw(benchmark::State& run) {
    TickingReceiver ticking(Reach::TapWithWatchingDecoder);
    BoardMonitor monitor(ticking.decoder, [] { return std::optional(137700.0); });
    monitor.show();
    for (auto _ : run) {
        ticking.tick();  // something new to draw each time
        monitor.refresh();
        QCoreApplication::processEvents();  // the repaint of the labels that changed
    }
}

BENCHMARK(tick<Reach::Board>)->Name("Timer1_Timer/simulated_board");
BENCHMARK(tick<Reach::Tap>)->Name("Timer1_Timer/port_tap_no_listener");
BENCHMARK(tick<Reach::TapWithDecoder>)->Name("Timer1_Timer/decoder_listening");
BENCHMARK(tick<Reach::TapWithWatchingDecoder>)->Name("Timer1_Timer/decoder_watching");
BENCHMARK(monitorRedraw)->Name("BoardMonitor/tick_and_redraw");
}  // namespace
}  // namespace orvex::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
