// Software cost of a port access through the synthesizer loads, with pauses that do nothing, for
// each backend, against the least a real access costs: one system call. A real bus access costs
// about 1 microsecond; the software around it should not matter next to that.
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "controls/MessageQueue.h"
#include "hardware/PortTap.h"
#include "hardware/Recorder.h"
#include "hardware/Synthesizer.h"
#include "hardware/sim/SimulatedBoard.h"
#include "hardware/trace/OpenTrace.h"

namespace orvex {
namespace {

class NullPort : public PortIo {
public:
    void write(const PortAccess&) override {}
    std::uint8_t read(const PortAccess&) override { return 0; }
};

class NullDelay : public Delay {
public:
    void pause(std::chrono::microseconds) override {}
};

constexpr int LoadDividerWrites = 50;
constexpr int InitializeWrites = 81;

// Runs `load` on a powered receiver at LPT1 through `io`, reporting the time per port access.
template <typename Load>
void measure(benchmark::State& run, PortIo& io, Delay& delay, int writesPerLoad, Load load,
             void (*afterLoad)(PortIo&) = nullptr) {
    ReceiverState state;
    state.PortBase = Lpt1Base;
    state.PowerBits = 128;
    state.RefDivider = 800;
    Port port(io, state);
    Synthesizer synthesizer(state, port, delay);
    for (auto _ : run) {
        load(synthesizer);
        if (afterLoad != nullptr) {
            afterLoad(io);
        }
    }
    run.counters["per_access"] =
        benchmark::Counter(static_cast<double>(run.iterations()) * writesPerLoad,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void loadDivider(Synthesizer& synthesizer) {
    synthesizer.LoadDivider(14270);
}
void initialize(Synthesizer& synthesizer) {
    synthesizer.INITIALIZE_PLL();
}
void clearRecorder(PortIo& io) {
    static_cast<Recorder&>(io).clear();
}

template <auto Load, int Writes>
void nullPort(benchmark::State& run) {
    NullPort io;
    NullDelay delay;
    measure(run, io, delay, Writes, Load);
}

template <auto Load, int Writes>
void recorder(benchmark::State& run) {
    Recorder io;
    NullDelay delay;
    measure(run, io, delay, Writes, Load, clearRecorder);
}

template <auto Load, int Writes>
void simulatedBoard(benchmark::State& run) {
    sim::SimulatedBoard io;
    NullDelay delay;
    measure(run, io, delay, Writes, Load);
}

// The tap the program always puts in front of the board, with nobody listening.
template <auto Load, int Writes>
void idleTap(benchmark::State& run) {
    NullPort inner;
    NullDelay innerDelay;
    PortTap tap(inner, innerDelay);
    measure(run, tap, tap, Writes, Load);
}

template <auto Load, int Writes>
void textTrace(benchmark::State& run) {
    const auto path = std::filesystem::temp_directory_path() / "orvex-bench-trace.txt";
    NullPort inner;
    NullDelay innerDelay;
    MessageQueue messages;
    auto trace = openTrace({path.string(), {}, 0}, messages);
    if (!trace) {
        run.SkipWithError("cannot create the trace file");
        return;
    }
    PortTap tap(inner, innerDelay);
    tap.addListener(*trace);
    measure(run, tap, tap, Writes, Load);
    trace.reset();
    std::filesystem::remove(path);
}

// The yardstick: ppdev makes every access one ioctl. FIONREAD on an empty pipe does no work of
// its own, so this is the price of the system call alone, on this machine.
class Pipe {
public:
    Pipe() {
        if (::pipe(ends_.data()) != 0) {
            ends_ = {-1, -1};
        }
    }
    ~Pipe() {
        for (const int end : ends_) {
            if (end >= 0) {
                ::close(end);
            }
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    int readEnd() const { return ends_[0]; }

private:
    std::array<int, 2> ends_{};
};

void ioctlSystemCall(benchmark::State& run) {
    const Pipe pipe;
    if (pipe.readEnd() < 0) {
        run.SkipWithError("cannot create a pipe");
        return;
    }
    int waiting = 0;
    for (auto _ : run) {
        ::ioctl(pipe.readEnd(), FIONREAD, &waiting);
        benchmark::DoNotOptimize(waiting);
    }
}

BENCHMARK(ioctlSystemCall)->Name("ioctl_system_call");
BENCHMARK(nullPort<loadDivider, LoadDividerWrites>)->Name("LoadDivider/null_port");
BENCHMARK(recorder<loadDivider, LoadDividerWrites>)->Name("LoadDivider/recorder");
BENCHMARK(simulatedBoard<loadDivider, LoadDividerWrites>)->Name("LoadDivider/simulated_board");
BENCHMARK(idleTap<loadDivider, LoadDividerWrites>)->Name("LoadDivider/idle_tap");
BENCHMARK(textTrace<loadDivider, LoadDividerWrites>)->Name("LoadDivider/text_trace");
BENCHMARK(nullPort<initialize, InitializeWrites>)->Name("INITIALIZE_PLL/null_port");
BENCHMARK(recorder<initialize, InitializeWrites>)->Name("INITIALIZE_PLL/recorder");
BENCHMARK(simulatedBoard<initialize, InitializeWrites>)->Name("INITIALIZE_PLL/simulated_board");
BENCHMARK(idleTap<initialize, InitializeWrites>)->Name("INITIALIZE_PLL/idle_tap");
BENCHMARK(textTrace<initialize, InitializeWrites>)->Name("INITIALIZE_PLL/text_trace");

}  // namespace
}  // namespace orvex

BENCHMARK_MAIN();
