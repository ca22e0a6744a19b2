#include "app/SurveyRun.h"

#include <cmath>
#include <iostream>

#include "app/Program.h"
#include "controls/SurveyCsv.h"
#include "core/NumberText.h"
#include "hardware/trace/TraceFile.h"

namespace orvex {
namespace {

const LogFileKind& surveyFileKind() {
    static const LogFileKind kind{"survey file", "survey file", "--survey-csv", {}, ""};
    return kind;
}

// Standard output as a stream the run may own; it is never closed.
class StandardOutput final : public std::ostream {
public:
    StandardOutput() : std::ostream(std::cout.rdbuf()) {}
};

}  // namespace

std::variant<std::unique_ptr<std::ostream>, std::string> SurveyRun::openCsv(
    const std::string& path, const std::string& settingsPath) {
    if (path == "-") {
        return std::make_unique<StandardOutput>();
    }
    return openLogFile(surveyFileKind(), path, settingsPath);
}

SurveyRun::SurveyRun(Program& program, const SurveyPlan& plan, std::unique_ptr<std::ostream> csv,
                     std::string csvName)
    : program_(program),
      plan_(plan),
      csv_(std::move(csv)),
      csvName_(std::move(csvName)),
      survey_(program.actions(), clock_) {
    connect(&survey_, &Survey::sweepDone, this, &SurveyRun::writeSweep);
    connect(&survey_, &Survey::ended, this,
            [this](SurveyEnd why) { emit finished(why == SurveyEnd::Complete ? 0 : 1); });
}

bool SurveyRun::start() {
    ReceiverActions& actions = program_.actions();
    if (!actions.receiver().portChosen()) {
        program_.host().tell(
            "The survey needs a printer port: choose one with --port lpt1 or "
            "--port lpt2");
        return false;
    }
    const ActionResult on = actions.setPower(true);
    ActionResult started = on.succeeded() ? survey_.start(plan_) : on;
    if (!started.succeeded()) {
        program_.host().tell("The survey cannot start: " + describe(started.refusal));
        return false;
    }
    sweepStarted_ = clock_.now();
    return true;
}

void SurveyRun::writeSweep(const Sweep& sweep) {
    const std::string line = rtlPowerLine(sweep);
    csv_->write(line.data(), static_cast<std::streamsize>(line.size()));
    csv_->flush();
    if (csv_->fail()) {
        program_.host().tell("The survey file " + csvName_ +
                             " could not be written (is the disk full?): the survey stops");
        survey_.stop();
        return;
    }
    const std::chrono::microseconds now = clock_.now();
    const double seconds = std::chrono::duration<double>(now - sweepStarted_).count();
    sweepStarted_ = now;
    const int done = survey_.sweepsDone();
    program_.host().tell("Sweep " + std::to_string(done) +
                         (plan_.sweeps ? " of " + std::to_string(*plan_.sweeps) : "") + ": " +
                         std::to_string(sweep.bytes.size()) + " channels from " +
                         megahertzText(sweep.lowKHz) + " in " +
                         numberText(std::round(seconds * 10.0) / 10.0) + " s");
}

}  // namespace orvex
