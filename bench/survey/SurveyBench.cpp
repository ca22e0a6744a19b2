// The band survey as the program runs it: the whole band at 10 kHz (1201 channels) with the
// default dwell on the simulated board, against the time the Scan switch's scanner takes to pass
// the same channels; and how late the window's events are handled while a sweep runs, against the
// same with the receiver only measuring. Wall time, since the survey waits on purpose.
//   QT_QPA_PLATFORM=offscreen survey_bench
// Prints "name value" lines, and adds them to $ORVEX_BENCH_RESULTS when it is set.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/BandCommands.h"
#include "app/Program.h"
#include "ui/ReceiverForm.h"

using namespace orvex;

namespace {

constexpr int ProbeMs = 10;

// How late a 10 ms timer fires, in seconds: an event of the window waits as long.
struct LatencyProbe {
    QTimer timer;
    QElapsedTimer clock;
    qint64 previous = 0;
    std::vector<double> late;

    LatencyProbe() {
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.nsecsElapsed();
            late.push_back(
                std::max(0.0, static_cast<double>(now - previous) / 1e9 - ProbeMs / 1e3));
            previous = now;
        });
    }
    void start() {
        late.clear();
        clock.start();
        previous = 0;
        timer.start(ProbeMs);
    }
    double percentile(double share) {
        std::sort(late.begin(), late.end());
        if (late.empty()) {
            return 0.0;
        }
        const double last = static_cast<double>(late.size() - 1);
        return late[static_cast<std::size_t>(share * last)];
    }
};

void record(const char* name, double value) {
    std::printf("%s %.6g\n", name, value);
    if (const char* results = std::getenv("ORVEX_BENCH_RESULTS")) {
        std::ofstream(results, std::ios::app) << name << ' ' << value << '\n';
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvex-survey-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    Options options;
    options.board = findBackend("sim");
    options.band.simulated.seed = 1;
    options.settingsPath = (folder / "ORVEX.ini").string();
    options.portBase = Lpt1Base;
    options.switchOn = true;
    Program program(options);
    program.setEnding([] {});
    ReceiverForm form(program.host(), "Simulated board");
    auto* commands = new BandCommands(form, program);
    program.start();
    form.show();
    commands->showSurvey();

    LatencyProbe probe;
    probe.start();
    QTimer::singleShot(3000, &app, [&] {
        record("survey.idle_latency.p99", probe.percentile(0.99));
        record("survey.idle_latency.worst", probe.percentile(1.0));
        SurveyPlan plan;  // the whole band at 10 kHz, the default dwell
        plan.sweeps = 1;
        probe.start();
        auto* sweep = new QElapsedTimer;
        sweep->start();
        QObject::connect(&commands->survey(), &Survey::sweepDone, &app, [&, plan, sweep] {
            record("survey.band_10k.seconds", static_cast<double>(sweep->nsecsElapsed()) / 1e9);
            record("survey.band_10k.channels", plan.channels());
            // The Scan switch's scanner steps one channel a tick of its timer.
            record("survey.scanner_10k.seconds",
                   plan.channels() * program.receiver().panel().Timer2.intervalMs / 1e3);
            record("survey.sweep_latency.p99", probe.percentile(0.99));
            record("survey.sweep_latency.worst", probe.percentile(1.0));
            QApplication::quit();
        });
        commands->survey().start(plan);
    });
    const int status = QApplication::exec();
    std::filesystem::remove_all(folder);
    return status;
}
