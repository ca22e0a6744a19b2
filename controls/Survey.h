#pragma once

#include <QMetaObject>
#include <QObject>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "controls/ActionResult.h"
#include "controls/ChannelVisit.h"
#include "controls/StepClock.h"
#include "controls/SurveyPlan.h"
#include "controls/Sweep.h"

namespace orvex {

class ReceiverActions;

// Why a survey ended.
enum class SurveyEnd {
    Complete,     // its sweeps are done or its time is up
    Stopped,      // its window or its owner stopped it
    Tuned,        // someone else tuned the receiver: the operator, a client, a memory recall
    StepChanged,  // someone else chose another tuning step
    TakenOver,    // another tuning driver started, or a front end steered
    PoweredOff,   // the receiver was switched off
    PortChanged,  // another printer port was chosen
};

// The band survey: a tuning driver that sweeps LOW..HIGH on the grid of a step, reading each
// channel after a dwell (ChannelVisit), one channel per timer step, sweep after sweep. While it
// runs the measurement timer is paused, the squelch decisions are held and the audio is muted.
// When it ends, the step, the frequency and the mute are put back as they were and the timer runs
// again, except what someone else changed meanwhile (a frequency the operator tuned stays), and
// the panel is told why it ended.
//
// A grid of 5 kHz needs the 5 kHz comparison frequency: the survey chooses the 5 kHz step for
// the time it runs, as the step switch would, and chooses the old step again at the end. The
// 10 and 100 kHz grids are points of either comparison frequency.
//
// Sweeps begin at least a second apart, so that each has a time stamp of its own to the second
// (rtl_power's renderers join the lines of one time stamp into one row).
class Survey : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds ShortestSweep{1};

    Survey(ReceiverActions& actions, StepClock& clock, QObject* parent = nullptr);
    ~Survey() override;

    // Starts sweeping; a survey that runs is stopped first. Refused when the plan cannot be
    // swept (planProblem), and as ReceiverActions::takeTuning refuses.
    ActionResult start(const SurveyPlan& plan);
    // The operator's stop.
    void stop() { end(SurveyEnd::Stopped); }

    bool running() const { return running_; }
    const SurveyPlan& plan() const { return plan_; }
    // The sweep in progress, read so far.
    const Sweep& sweep() const { return sweep_; }
    int sweepsDone() const { return sweepsDone_; }

signals:
    void runningChanged(bool running);
    // Channel `index` of the sweep in progress has been read.
    void channelRead(int index);
    void sweepDone(const orvex::Sweep& sweep);
    // The survey ended; `note` is what the panel was told.
    void ended(orvex::SurveyEnd why, const QString& note);

private:
    // What the survey puts back.
    struct Before {
        std::optional<std::int32_t> kHz;
        std::int16_t stepKHz = 0;
        bool muted = false;
    };

    void beginSweep();
    void visit(int index);
    void read(std::optional<int> byte);
    void end(SurveyEnd why);
    std::string restore(SurveyEnd why);
    std::string note(SurveyEnd why) const;
    void follow();
    template <typename Act>
    void act(Act&& own);

    ReceiverActions& actions_;
    StepClock& clock_;
    ChannelVisit visit_;
    SurveyPlan plan_;
    Sweep sweep_;
    Before before_;
    std::chrono::microseconds startedAt_{};
    std::chrono::microseconds sweepStartedAt_{};
    std::chrono::system_clock::time_point wallStart_;
    int sweepsDone_ = 0;
    int next_ = 0;  // the channel loaded, whose reading comes next
    bool running_ = false;
    bool acting_ = false;  // the survey's own gestures, whose events are not someone else's
    std::vector<QMetaObject::Connection> watching_;
};

}  // namespace orvex
