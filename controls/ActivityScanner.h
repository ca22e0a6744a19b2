#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ChannelBank.h"
#include "controls/ChannelVisit.h"
#include "controls/HitLog.h"
#include "controls/ReceiverActions.h"
#include "core/SettleTimes.h"

namespace orvex {

// How the activity scanner works, chosen by the operator.
struct ScanOptions {
    // Time on each channel before its level is read; never below the board's settle time.
    std::chrono::milliseconds dwell =
        std::chrono::ceil<std::chrono::milliseconds>(std::chrono::microseconds(settle::Channel));
    // How long a signal must have been gone before the scan moves on.
    std::chrono::milliseconds resumeDelay = std::chrono::seconds{2};
    // A channel of the bank looked at every `priorityEvery`, even while the scan stays on
    // another; none without a Location.
    std::optional<int> priorityLocation;
    std::chrono::milliseconds priorityEvery = std::chrono::seconds{3};

    friend bool operator==(const ScanOptions&, const ScanOptions&) = default;
};

// The frequencies of range mode: LOW, LOW + STEP, … up to HIGH.
struct ScanRange {
    std::int32_t lowKHz = 0;
    std::int32_t highKHz = 0;
    std::int32_t stepKHz = 0;

    friend bool operator==(const ScanRange&, const ScanRange&) = default;
};
// Why the range cannot be scanned (outside the band, off the 5 kHz grid, upside down), or empty.
std::string rangeProblem(const ScanRange& range);
// "137.000:138.000:10" (MHz, MHz, kHz) as the command line gives it; nothing, with the reason.
std::optional<ScanRange> parseScanRange(std::string_view text, std::string* problem);

// The scanner that stops on activity and logs it, beside the Scan switch's scanner: through the
// channels of the bank that are not marked Skip, in Location order, or a range on a step. Each
// channel is tuned, given the settle time, then read; a level above the squelch threshold stops
// it there, with the audio open, for as long as the signal lasts and the resume delay after it.
// While it steps the audio stays muted (it holds the squelch decisions). It is a tuning driver:
// starting it stops the one that runs, and tuning by hand, another driver or the receiver
// switched off stops it. Nothing is put back when it stops.
class ActivityScanner : public QObject {
    Q_OBJECT

public:
    enum class State { Stopped, Stepping, Staying };
    Q_ENUM(State)

    ActivityScanner(ReceiverActions& actions, ChannelBank& bank, QObject* parent = nullptr);
    ~ActivityScanner() override;

    const ScanOptions& options() const { return options_; }
    void setOptions(const ScanOptions& options);

    // Hits are logged into `path` from now on (HitLog); false after a message when it cannot be
    // opened. An empty path ends the log.
    bool logHitsTo(const std::string& path);
    const HitLog* hitLog() const { return log_.get(); }

    ActionResult scanBank();
    ActionResult scanRange(const ScanRange& range);
    // The operator stops it.
    void stop();

    State state() const { return state_; }
    bool running() const { return state_ != State::Stopped; }
    bool scanningRange() const { return range_.has_value(); }
    // The channel visited or stayed on, and its Location in the bank.
    std::optional<std::int32_t> channelKHz() const;
    std::optional<int> channelLocation() const;

    // While it stays on a channel: moves on at once.
    void resume();
    // Leaves the channel out for the rest of this run.
    void lockOut();
    // Marks the channel Skip in the bank (saved at once) and leaves it out.
    void skipInBank();
    // The program ends at once: the hit under way goes into the log as it stands, so the last
    // activity before the end is not lost.
    void logHitSoFar();
    // How many hits a frequency had since the program started.
    int activity(std::int32_t kHz) const;

signals:
    void stateChanged();
    void hitEnded(const orvex::Hit& hit);
    void activityChanged(std::int32_t kHz);

private:
    struct Target {
        std::int32_t kHz = 0;
        std::optional<int> location;
        std::string name;
    };
    enum class Peek { None, Priority, Back };

    ActionResult start(std::vector<Target> targets, std::optional<ScanRange> range);
    std::vector<Target> bankTargets() const;
    std::optional<Target> priorityTarget() const;
    ActionResult chooseGrid();
    void stepNext();
    void go(const Target& target);
    ActionResult visitShown(std::int32_t kHz);
    void levelRead(std::int32_t kHz, double level);
    void stay(double level);
    void measured(double level);
    void leave();
    void priorityDue();
    void endHit(std::chrono::system_clock::time_point end);
    void finish(const std::string& why);
    void stoppedBy(const std::string& why);
    void bankChanged();
    double threshold() const;
    template <typename Gesture>
    auto ownTuning(Gesture&& gesture);

    ReceiverActions& actions_;
    ChannelBank& bank_;
    QtStepClock clock_;
    ChannelVisit visit_;
    ScanOptions options_;
    QTimer resumeTimer_;
    QTimer priorityTimer_;
    std::unique_ptr<HitLog> log_;

    State state_ = State::Stopped;
    Peek peek_ = Peek::None;
    std::vector<Target> targets_;
    std::optional<ScanRange> range_;
    std::size_t next_ = 0;
    std::optional<Target> current_;
    std::set<std::int32_t> lockedOut_;
    bool priorityWaiting_ = false;
    bool tuning_ = false;              // the receiver is being tuned by this scanner
    Refusal refusal_ = Refusal::None;  // why the last channel could not be tuned
    std::optional<Hit> hit_;
    std::optional<std::chrono::system_clock::time_point> goneSince_;
    std::map<std::int32_t, int> activity_;
};

}  // namespace orvex
