#include "app/BandOptions.h"

#include "app/RawArguments.h"

namespace orvex {

BandOptionParser::BandOptionParser()
    : simBand_("sim-band",
               "What the simulated board hears: live (the default; today's band, changing with "
               "the time: short FM transmissions, air band carriers, a satellite pass) or steady "
               "(a few stations that never change).",
               "steady|live"),
      simSeed_("sim-seed", "Make the live simulated band the same on every run: seed N.", "N"),
      survey_("survey",
              "Survey the band from LOW to HIGH in steps of STEP, as rtl_power's -f does "
              "(132M:144M:10k; the step 5k, 10k or 100k), and write each sweep as a line of "
              "rtl_power's CSV to --survey-csv. Needs --headless; switches the receiver on.",
              "LOW:HIGH:STEP"),
      sweeps_("survey-sweeps", "End the survey after N sweeps (default: run until ended).", "N"),
      time_("survey-time",
            "End the survey at the first sweep's end after TIME (90s, 10m, 2h; a bare number "
            "is seconds).",
            "TIME"),
      dwell_("dwell",
             "Wait TIME on each channel before reading it (default 10ms, what the board needs to "
             "settle; 20ms, 0.1s; a bare number is milliseconds).",
             "TIME"),
      csv_("survey-csv", "Write the survey's sweeps into FILE, or to standard output for -.",
           "FILE"),
      levelLog_("level-log",
                "Log every measurement (ten a second while the receiver is on) as a CSV line "
                "in FILE: time, frequency, converter byte, level, dB over S9, supply, squelch.",
                "FILE") {}

void BandOptionParser::addTo(QCommandLineParser& parser) const {
    parser.addOptions({simBand_, simSeed_, survey_, sweeps_, time_, dwell_, csv_, levelLog_});
}

std::variant<BandOptions, QString> BandOptionParser::read(const QCommandLineParser& parser) const {
    BandOptions band;
    const QString kind = parser.value(simBand_).toLower();
    if (parser.isSet(simBand_) && kind != "steady" && kind != "live") {
        return QString("unknown simulated band \"%1\": use steady or live.").arg(kind);
    }
    band.simulated.live = kind != "steady";
    if (parser.isSet(simSeed_)) {
        bool whole = false;
        const qulonglong seed = parser.value(simSeed_).toULongLong(&whole);
        if (!whole) {
            return QString("--sim-seed takes a whole number such as 42, not \"%1\".")
                .arg(parser.value(simSeed_));
        }
        band.simulated.seed = seed;
    }
    if (parser.isSet(levelLog_)) {
        band.levelLogPath = argumentBytes(parser.value(levelLog_));
        if (band.levelLogPath.empty()) {
            return QString("--level-log needs a file name.");
        }
    }
    if (std::optional<QString> problem = readSurvey(parser, band)) {
        return *problem;
    }
    return band;
}

std::optional<QString> BandOptionParser::readSurvey(const QCommandLineParser& parser,
                                                    BandOptions& band) const {
    if (!parser.isSet(survey_)) {
        for (const QCommandLineOption* option : {&sweeps_, &time_, &dwell_, &csv_}) {
            if (parser.isSet(*option)) {
                return QString("--%1 belongs to a survey: add --survey LOW:HIGH:STEP.")
                    .arg(option->names().front());
            }
        }
        return std::nullopt;
    }
    SurveyPlan base;
    if (parser.isSet(sweeps_)) {
        bool whole = false;
        base.sweeps = parser.value(sweeps_).toInt(&whole);
        if (!whole || *base.sweeps < 1) {
            return QString("--survey-sweeps takes a number of sweeps, 1 or more, not \"%1\".")
                .arg(parser.value(sweeps_));
        }
    }
    if (parser.isSet(time_)) {
        if (base.sweeps) {
            return QString("give --survey-sweeps or --survey-time, not both.");
        }
        const auto time = parseDuration(parser.value(time_).toStdString(), std::chrono::seconds{1});
        if (!time || time->count() <= 0) {
            return QString(
                       "--survey-time takes a length of time such as 90s, 10m or 2h, not "
                       "\"%1\".")
                .arg(parser.value(time_));
        }
        base.timeout = std::chrono::ceil<std::chrono::seconds>(*time);
    }
    if (parser.isSet(dwell_)) {
        const auto dwell =
            parseDuration(parser.value(dwell_).toStdString(), std::chrono::milliseconds{1});
        if (!dwell || *dwell > LongestDwell) {
            return QString("--dwell takes a time from 0 to 10s such as 20ms, not \"%1\".")
                .arg(parser.value(dwell_));
        }
        base.dwell = *dwell;
    }
    auto plan = parseSurveyRange(parser.value(survey_).toStdString(), base);
    if (const auto* problem = std::get_if<std::string>(&plan)) {
        return QString("--survey %1: %2.")
            .arg(parser.value(survey_), QString::fromStdString(*problem));
    }
    band.survey = std::get<SurveyPlan>(plan);
    band.surveyCsvPath = argumentBytes(parser.value(csv_));
    if (band.surveyCsvPath.empty()) {
        return QString("--survey needs --survey-csv FILE (- for standard output).");
    }
    return std::nullopt;
}

}  // namespace orvex
