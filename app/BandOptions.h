#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <optional>
#include <string>
#include <variant>

#include "app/Backends.h"
#include "controls/SurveyPlan.h"

namespace orvex {

// What the command line asks of the simulated band, the band survey and the level log.
struct BandOptions {
    SimulatedBand simulated;           // --sim-band, --sim-seed
    std::optional<SurveyPlan> survey;  // --survey with --survey-sweeps/--survey-time and --dwell
    std::string surveyCsvPath;         // --survey-csv: the bytes as given; "-" is standard output
    std::string levelLogPath;          // --level-log: the bytes as given; empty: no log
};

// The command line's options for them: added to the parser for its help, then read from it.
class BandOptionParser {
public:
    BandOptionParser();

    void addTo(QCommandLineParser& parser) const;
    // What the parser found, or what is wrong in words ("--survey-sweeps takes ...").
    std::variant<BandOptions, QString> read(const QCommandLineParser& parser) const;

private:
    std::optional<QString> readSurvey(const QCommandLineParser& parser, BandOptions& band) const;

    QCommandLineOption simBand_;
    QCommandLineOption simSeed_;
    QCommandLineOption survey_;
    QCommandLineOption sweeps_;
    QCommandLineOption time_;
    QCommandLineOption dwell_;
    QCommandLineOption csv_;
    QCommandLineOption levelLog_;
};

}  // namespace orvex
