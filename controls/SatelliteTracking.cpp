#include "controls/SatelliteTracking.h"

#include "controls/ReceiverActions.h"
#include "core/Band.h"
#include "core/NumberText.h"

namespace orvex {
namespace {

using Time = std::chrono::system_clock::time_point;

std::string secondsText(std::chrono::seconds seconds) {
    return std::to_string(seconds.count()) + " s";
}

std::string clockText(Time time) {
    return utcClockText(time, "%H:%M:%S UTC");
}

}  // namespace

SatelliteTracking::SatelliteTracking(ReceiverActions& actions, std::filesystem::path folder,
                                     PassChoices choices, Clock clock, QObject* parent)
    : QObject(parent),
      actions_(actions),
      folder_(std::move(folder)),
      choices_(choices),
      clock_(std::move(clock)) {
    ReceiverHost& host = actions_.host();
    connect(&host, &ReceiverHost::measured, this, &SatelliteTracking::measured);
    connect(&host, &ReceiverHost::tuned, this, &SatelliteTracking::tuned);
    connect(&host, &ReceiverHost::powerSwitched, this, [this](bool on) {
        if (!on) {
            stopSteering();
        }
    });
    watch_.setInterval(Watch);
    connect(&watch_, &QTimer::timeout, this, &SatelliteTracking::checkTimes);
}

// A pass still holding the tuning must not leave a stop behind that reaches a dead object.
SatelliteTracking::~SatelliteTracking() {
    if (pass_ && pass_->drives) {
        actions_.releaseTuning(TuningDriver::Pass);
    }
}

void SatelliteTracking::tell(const std::string& text) {
    actions_.host().tell(text);
}

void SatelliteTracking::setChoices(const PassChoices& choices) {
    choices_ = choices;
    followWatch();
}

// ----- steering

void SatelliteTracking::steered(const void* client, const std::string& name, double askedHz) {
    const Time now = clock_();
    steering_ = Steering{client, name, askedHz, actions_.receiver().displayedKHz(), now};
    if (pass_ && !pass_->los) {
        pass_->lastSteered = now;
    }
    emit notesChanged();
    followWatch();
}

void SatelliteTracking::clientLeft(const void* client) {
    if (steering_ && steering_->client == client) {
        stopSteering();
    }
}

// Anything else that tunes (the knob, a scanner, another client) ends the note: the display no
// longer shows what the client was given.
void SatelliteTracking::tuned(int kHz) {
    if (steering_ && steering_->tunedKHz != kHz) {
        stopSteering();
    }
}

void SatelliteTracking::stopSteering() {
    if (steering_) {
        steering_.reset();
        emit notesChanged();
        followWatch();
    }
}

std::string SatelliteTracking::steeringNote() const {
    if (!steering_ || !steering_->tunedKHz) {
        return {};
    }
    return steering_->name + " asks " + numberText(mhzFromKHz(steering_->askedHz / HzPerKHz)) +
           " MHz, tuned " + megahertzDigits(*steering_->tunedKHz);
}

// ----- passes

bool SatelliteTracking::passBegins(const std::string& name) {
    if (pass_) {
        endPass("a new pass began", false);
    }
    if (folder_.empty()) {
        tell(
            "There is no pass folder (no home folder is known): name one with --pass-folder; "
            "the satellite pass " +
            name + " announced is not logged");
        return false;
    }
    const Receiver& r = actions_.receiver();
    const Time now = clock_();
    const double kHz = r.displayedKHz() ? *r.displayedKHz() : r.offFrequencyKHz();
    auto opened = PassLog::open(folder_, passLogName(now, kHz));
    if (auto* problem = std::get_if<std::string>(&opened)) {
        tell(*problem + "; the satellite pass " + name +
             " announced is not logged (--pass-folder names another folder)");
        return false;
    }
    Pass pass{name, now, now, std::nullopt, std::move(std::get<0>(opened)), false};

    if (choices_.switchOnAtAos && !r.poweredOn()) {
        if (actions_.setPower(true).refusal == Refusal::NoPort) {
            tell(std::string(NoPortChosen) +
                 ": the satellite pass is logged with the receiver off");
        }
    }
    pass.drives = actions_
                      .takeTuning(TuningDriver::Pass,
                                  [this] {
                                      if (pass_) {
                                          pass_->drives = false;
                                          endPass("something else took the tuning", false);
                                      }
                                  })
                      .succeeded();
    if (!pass.drives) {
        actions_.steer();  // off: nothing may tune, and no scan runs on either
    }
    // The margin before AOS: what was measured lately, as it was measured.
    for (const LevelSample& sample : recent_) {
        if (sample.at >= now - choices_.marginBefore && !pass.log->write(sample)) {
            break;
        }
    }
    const std::string path = pass.log->path().string();
    pass_ = std::move(pass);
    tell(name + " announced a satellite pass: logging into " + path);
    emit notesChanged();
    followWatch();
    return true;
}

void SatelliteTracking::passEnds(const std::string& name) {
    if (!pass_ || pass_->los) {
        return;
    }
    pass_->los = clock_();
    if (pass_->drives) {
        pass_->drives = false;
        actions_.releaseTuning(TuningDriver::Pass);
    }
    if (choices_.marginAfter.count() == 0) {
        endPass(name + " announced the end of the pass", true);
        return;
    }
    tell(name + " announced the end of the pass: logging " + secondsText(choices_.marginAfter) +
         " more into " + pass_->log->path().string());
    emit notesChanged();
}

void SatelliteTracking::endPass(const std::string& why, bool mayPowerOff) {
    Pass pass = std::move(*pass_);
    pass_.reset();
    if (pass.drives) {
        actions_.releaseTuning(TuningDriver::Pass);
    }
    const std::size_t lines = pass.log->lines();
    tell("The pass log " + pass.log->path().string() + " is complete, " + std::to_string(lines) +
         (lines == 1 ? " line: " : " lines: ") + why);
    if (mayPowerOff && choices_.switchOffAtLos && actions_.receiver().poweredOn()) {
        actions_.setPower(false);
    }
    emit notesChanged();
    followWatch();
}

std::string SatelliteTracking::passNote() const {
    if (!pass_) {
        return {};
    }
    if (pass_->los) {
        return "Pass over at " + clockText(*pass_->los) + ", logging " +
               secondsText(choices_.marginAfter) + " more";
    }
    return "Pass since " + clockText(pass_->began);
}

std::string SatelliteTracking::note() const {
    const std::string steering = steeringNote();
    if (!pass_) {
        return steering;
    }
    return pass_->los || steering.empty() ? passNote() : "Pass: " + steering;
}

void SatelliteTracking::checkTimes() {
    const Time now = clock_();
    if (pass_) {
        if (pass_->los && now >= *pass_->los + choices_.marginAfter) {
            endPass("the margin after the pass is over", true);
        } else if (!pass_->los && now >= pass_->lastSteered + choices_.quietTimeout) {
            endPass(pass_->client + " sent no frequency for " + secondsText(choices_.quietTimeout),
                    true);
        } else if (now >= pass_->began + choices_.longest) {
            endPass("it lasted " + secondsText(choices_.longest) + ", longer than a pass can",
                    true);
        }
    }
    if (steering_ && now >= steering_->last + SteeringQuiet) {
        stopSteering();
    }
}

// ----- measurements

void SatelliteTracking::measured() {
    const LevelSample sample = lastMeasurement(actions_.receiver(), clock_());
    keep(sample);
    if (pass_ && !pass_->log->write(sample)) {
        endPass("the file refused a line (is the disk full?)", false);
    }
    checkTimes();
}

void SatelliteTracking::keep(const LevelSample& sample) {
    recent_.push_back(sample);
    while (!recent_.empty() && recent_.front().at < sample.at - choices_.marginBefore) {
        recent_.pop_front();
    }
    if (choices_.marginBefore.count() == 0) {
        recent_.clear();
    }
}

void SatelliteTracking::followWatch() {
    const bool needed = pass_ || steering_;
    if (needed && !watch_.isActive()) {
        watch_.start();
    } else if (!needed) {
        watch_.stop();
    }
}

}  // namespace orvex
