#pragma once

#include <QObject>
#include <memory>
#include <ostream>
#include <string>

#include "controls/StepClock.h"
#include "controls/Survey.h"

namespace orvex {

class Program;

// A band survey from the command line, without a window: each sweep as a line of rtl_power's CSV
// into a file or to standard output, a progress line on standard error after each sweep, and the
// program's end when the survey is over (status 0 when it completed, 1 when something ended it).
// A signal ends the program at once; every line is written whole before the next event, so the
// file then ends on a whole line.
class SurveyRun : public QObject {
    Q_OBJECT

public:
    // The file for `path` ("-": standard output), opened under the rules of traces; or why not,
    // in words for the operator.
    static std::variant<std::unique_ptr<std::ostream>, std::string> openCsv(
        const std::string& path, const std::string& settingsPath);

    SurveyRun(Program& program, const SurveyPlan& plan, std::unique_ptr<std::ostream> csv,
              std::string csvName);

    // Switches the receiver on if it is off and starts the survey; false, after saying why,
    // when it cannot (no port chosen, the receiver refused).
    bool start();

signals:
    void finished(int exitStatus);

private:
    void writeSweep(const Sweep& sweep);

    Program& program_;
    SurveyPlan plan_;
    std::unique_ptr<std::ostream> csv_;
    std::string csvName_;
    QtStepClock clock_;
    Survey survey_;
    std::chrono::microseconds sweepStarted_{};
};

}  // namespace orvex
