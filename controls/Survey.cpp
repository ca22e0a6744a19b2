#include "controls/Survey.h"

#include <utility>

#include "controls/ReceiverActions.h"
#include "controls/StepTable.h"
#include "core/Band.h"

namespace orvex {
namespace {

std::string sweepsText(int sweeps) {
    return std::to_string(sweeps) + (sweeps == 1 ? " sweep" : " sweeps");
}

}  // namespace

Survey::Survey(ReceiverActions& actions, StepClock& clock, QObject* parent)
    : QObject(parent), actions_(actions), clock_(clock), visit_(actions, clock) {}

Survey::~Survey() {
    end(SurveyEnd::Stopped);
}

template <typename Act>
void Survey::act(Act&& own) {
    const bool was = std::exchange(acting_, true);
    std::forward<Act>(own)();
    acting_ = was;
}

ActionResult Survey::start(const SurveyPlan& plan) {
    if (planProblem(plan)) {
        return ActionResult::refused(findStep(plan.stepKHz) == nullptr ? Refusal::NoSuchStep
                                                                       : Refusal::OutOfBand);
    }
    end(SurveyEnd::Stopped);
    const ActionResult taken =
        actions_.takeTuning(TuningDriver::Survey, [this] { end(SurveyEnd::TakenOver); });
    if (!taken.succeeded()) {
        return taken;
    }
    const Receiver& r = actions_.receiver();
    before_ = {r.displayedKHz(), r.stepKHz(), r.muted()};
    plan_ = plan;
    sweepsDone_ = 0;
    running_ = true;
    startedAt_ = clock_.now();
    wallStart_ = std::chrono::system_clock::now();
    actions_.holdMeasurement(true);
    act([&] {
        actions_.setMute(true);
        if (plan.stepKHz == FineStep.stepKHz && r.stepKHz() != FineStep.stepKHz) {
            actions_.chooseStep(FineStep.stepKHz);
        }
    });
    follow();
    emit runningChanged(true);
    beginSweep();
    return ActionResult::done();
}

// What others do to the receiver while the survey runs ends it: their change is the newer wish.
void Survey::follow() {
    ReceiverHost& host = actions_.host();
    const auto unlessOwn = [this](SurveyEnd why) {
        return [this, why] {
            if (!acting_) {
                end(why);
            }
        };
    };
    watching_ = {
        connect(&host, &ReceiverHost::tuned, this, unlessOwn(SurveyEnd::Tuned)),
        connect(&host, &ReceiverHost::stepChanged, this, unlessOwn(SurveyEnd::StepChanged)),
        connect(&host, &ReceiverHost::portChosen, this, unlessOwn(SurveyEnd::PortChanged)),
        connect(&host, &ReceiverHost::powerSwitched, this,
                [this](bool on) {
                    if (!on) {
                        end(SurveyEnd::PoweredOff);
                    }
                }),
    };
}

void Survey::beginSweep() {
    sweepStartedAt_ = clock_.now();
    sweep_ = {wallStart_ + (sweepStartedAt_ - startedAt_), plan_.lowKHz, plan_.stepKHz, {}};
    sweep_.bytes.reserve(static_cast<std::size_t>(plan_.channels()));
    visit(0);
}

void Survey::visit(int index) {
    next_ = index;
    const ActionResult loaded =
        visit_.visit(plan_.channelKHz(index), ChannelVisit::Load::Hidden, plan_.dwell,
                     [this](std::int32_t, std::optional<int> byte) { read(byte); });
    if (!loaded.succeeded()) {
        end(loaded.refusal == Refusal::PoweredOff ? SurveyEnd::PoweredOff
            : loaded.refusal == Refusal::NoPort   ? SurveyEnd::PortChanged
                                                  : SurveyEnd::StepChanged);
    }
}

void Survey::read(std::optional<int> byte) {
    if (!byte) {
        end(actions_.receiver().poweredOn() ? SurveyEnd::PortChanged : SurveyEnd::PoweredOff);
        return;
    }
    sweep_.bytes.push_back(static_cast<std::uint8_t>(*byte));
    emit channelRead(next_);
    if (!running_) {
        return;  // someone listening stopped it
    }
    if (next_ + 1 < plan_.channels()) {
        visit(next_ + 1);
        return;
    }
    ++sweepsDone_;
    emit sweepDone(sweep_);
    const std::chrono::microseconds now = clock_.now();
    if (!running_) {
        return;
    }
    if ((plan_.sweeps && sweepsDone_ >= *plan_.sweeps) ||
        (plan_.timeout && now - startedAt_ >= *plan_.timeout)) {
        end(SurveyEnd::Complete);
        return;
    }
    const std::chrono::microseconds early = ShortestSweep - (now - sweepStartedAt_);
    if (early > std::chrono::microseconds{0}) {
        clock_.after(std::chrono::ceil<std::chrono::milliseconds>(early), [this] { beginSweep(); });
    } else {
        beginSweep();
    }
}

void Survey::end(SurveyEnd why) {
    if (!running_) {
        return;
    }
    running_ = false;
    visit_.cancel();
    for (const QMetaObject::Connection& connection : watching_) {
        disconnect(connection);
    }
    watching_.clear();
    const std::string text = note(why) + restore(why);
    actions_.holdMeasurement(false);
    if (why != SurveyEnd::TakenOver) {  // the driver taking over has released it already
        actions_.releaseTuning(TuningDriver::Survey);
    }
    actions_.host().tell(text);
    emit runningChanged(false);
    emit ended(why, QString::fromStdString(text));
}

// The step, the frequency and the mute as they were, but for what someone else chose meanwhile;
// nothing while the receiver is off. Says what the receiver is back on.
std::string Survey::restore(SurveyEnd why) {
    const Receiver& r = actions_.receiver();
    if (!r.poweredOn() || !r.portChosen()) {
        return {};
    }
    const bool frequencyBack = why != SurveyEnd::Tuned && before_.kHz.has_value();
    act([&] {
        if (why != SurveyEnd::StepChanged && r.stepKHz() != before_.stepKHz) {
            actions_.chooseStep(before_.stepKHz);
        }
        if (frequencyBack) {
            actions_.tuneTo(mhzFromKHz(*before_.kHz));
        }
        actions_.setMute(before_.muted);
    });
    return frequencyBack ? "; the receiver is back on " + megahertzText(*before_.kHz) : "";
}

std::string Survey::note(SurveyEnd why) const {
    const Receiver& r = actions_.receiver();
    switch (why) {
        case SurveyEnd::Complete:
            return "The band survey is complete: " + sweepsText(sweepsDone_) + " of " +
                   megahertzText(plan_.lowKHz) + " to " + megahertzText(plan_.highKHz) + " at " +
                   std::to_string(plan_.stepKHz) + " kHz";
        case SurveyEnd::Stopped:
            return "The band survey stopped after " + sweepsText(sweepsDone_);
        case SurveyEnd::Tuned:
            return "The band survey stopped: the receiver was tuned" +
                   (r.displayedKHz() ? " to " + megahertzText(*r.displayedKHz()) : "");
        case SurveyEnd::StepChanged:
            return "The band survey stopped: the tuning step was changed to " +
                   std::to_string(r.stepKHz()) + " kHz";
        case SurveyEnd::TakenOver:
            return "The band survey stopped: something else took over the tuning";
        case SurveyEnd::PoweredOff:
            return "The band survey stopped: the receiver was switched off";
        case SurveyEnd::PortChanged:
            return "The band survey stopped: the printer port was changed";
    }
    return "The band survey stopped";
}

}  // namespace orvex
