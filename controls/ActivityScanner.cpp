#include "controls/ActivityScanner.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "controls/AudioScales.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Excerpt.h"
#include "core/NumberText.h"
#include "hardware/Converter.h"

namespace orvex {
namespace {

using WallClock = std::chrono::system_clock;

constexpr TuningDriver Self = TuningDriver::ActivityScanner;

std::optional<std::int32_t> wholeKHz(double kHz) {
    if (!(std::abs(kHz) < 1e9)) {
        return std::nullopt;  // nowhere near the band, and no integer to round to
    }
    const long long rounded = roundHalfEven(kHz);
    if (std::abs(kHz - static_cast<double>(rounded)) > 1e-6) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(rounded);
}

}  // namespace

std::string rangeProblem(const ScanRange& range) {
    const std::int32_t grid = FineStep.stepKHz;
    if (range.lowKHz < BandBottomKHz || range.highKHz > BandTopKHz) {
        return "the range must lie inside " + bandText();
    }
    if (range.lowKHz > range.highKHz) {
        return "its low end lies above its high end";
    }
    if (range.stepKHz <= 0 || range.stepKHz % grid != 0 || range.lowKHz % grid != 0) {
        return "its low end and its step must be on the board's " + std::to_string(grid) +
               " kHz grid";
    }
    return {};
}

std::optional<ScanRange> parseScanRange(std::string_view text, std::string* problem) {
    std::vector<std::string_view> parts;
    for (std::size_t from = 0;;) {
        const std::size_t colon = text.find(':', from);
        parts.push_back(text.substr(from, colon - from));
        if (colon == std::string_view::npos) {
            break;
        }
        from = colon + 1;
    }
    std::vector<double> numbers;
    for (const std::string_view part : parts) {
        if (const std::optional<double> number = parseNumber(part)) {
            numbers.push_back(*number);
        }
    }
    const auto low = numbers.size() == 3 ? wholeKHz(kHzFromMHz(numbers[0])) : std::nullopt;
    const auto high = numbers.size() == 3 ? wholeKHz(kHzFromMHz(numbers[1])) : std::nullopt;
    const auto step = numbers.size() == 3 ? wholeKHz(numbers[2]) : std::nullopt;
    if (parts.size() != 3 || !low || !high || !step) {
        *problem = "\"" + excerpt(text) +
                   "\" is no range: give LOW:HIGH:STEP, the ends in MHz and the step in kHz "
                   "(137.000:138.000:10)";
        return std::nullopt;
    }
    const ScanRange range{*low, *high, *step};
    *problem = rangeProblem(range);
    return problem->empty() ? std::optional(range) : std::nullopt;
}

ActivityScanner::ActivityScanner(ReceiverActions& actions, ChannelBank& bank, QObject* parent)
    : QObject(parent), actions_(actions), bank_(bank), visit_(actions, clock_) {
    resumeTimer_.setSingleShot(true);
    connect(&resumeTimer_, &QTimer::timeout, this, &ActivityScanner::leave);
    connect(&priorityTimer_, &QTimer::timeout, this, &ActivityScanner::priorityDue);
    ReceiverHost& host = actions_.host();
    const auto byHand = [this] {
        if (running() && !tuning_) {
            stoppedBy("the receiver was tuned");
        }
    };
    connect(&host, &ReceiverHost::tuned, this, byHand);
    connect(&host, &ReceiverHost::stepChanged, this, byHand);
    connect(&host, &ReceiverHost::powerSwitched, this, [this](bool on) {
        if (!on && running()) {
            stoppedBy("the receiver was switched off");
        }
    });
    connect(&host, &ReceiverHost::measured, this,
            [this](double level, double, bool) { measured(level); });
    connect(&bank_, &ChannelBank::changed, this, &ActivityScanner::bankChanged);
    actions_.offerBankScan([this] { return scanBank(); });
}

ActivityScanner::~ActivityScanner() {
    actions_.offerBankScan({});
    if (running()) {
        actions_.releaseTuning(Self);
    }
}

void ActivityScanner::setOptions(const ScanOptions& options) {
    options_ = options;
    priorityTimer_.setInterval(options_.priorityEvery);
    if (running() && options_.priorityLocation) {
        priorityTimer_.start();
    } else {
        priorityTimer_.stop();
    }
}

bool ActivityScanner::logHitsTo(const std::string& path) {
    log_.reset();
    if (path.empty()) {
        return true;
    }
    auto opened = HitLog::open(path);
    if (auto* problem = std::get_if<std::string>(&opened)) {
        actions_.host().tell(*problem);
        return false;
    }
    log_ = std::move(std::get<std::unique_ptr<HitLog>>(opened));
    return true;
}

template <typename Gesture>
auto ActivityScanner::ownTuning(Gesture&& gesture) {
    const bool before = std::exchange(tuning_, true);
    auto result = std::forward<Gesture>(gesture)();
    tuning_ = before;
    return result;
}

std::vector<ActivityScanner::Target> ActivityScanner::bankTargets() const {
    std::vector<Target> targets;
    for (const Channel& channel : bank_.channels()) {
        if (!channel.skip) {
            targets.push_back({channel.kHz, channel.location, channel.name});
        }
    }
    return targets;
}

std::optional<ActivityScanner::Target> ActivityScanner::priorityTarget() const {
    if (!options_.priorityLocation) {
        return std::nullopt;
    }
    const std::optional<Channel> channel = bank_.find(*options_.priorityLocation);
    if (!channel || lockedOut_.contains(channel->kHz)) {
        return std::nullopt;
    }
    return Target{channel->kHz, channel->location, channel->name};
}

ActionResult ActivityScanner::scanBank() {
    return start(bankTargets(), std::nullopt);
}

ActionResult ActivityScanner::scanRange(const ScanRange& range) {
    if (!rangeProblem(range).empty()) {
        return ActionResult::refused(Refusal::OutOfBand);
    }
    std::map<std::int32_t, std::string> names;
    for (const Channel& channel : bank_.channels()) {
        names.emplace(channel.kHz, channel.name);
    }
    std::vector<Target> targets;
    for (std::int32_t kHz = range.lowKHz; kHz <= range.highKHz; kHz += range.stepKHz) {
        const auto named = names.find(kHz);
        targets.push_back({kHz, std::nullopt, named == names.end() ? "" : named->second});
    }
    return start(std::move(targets), range);
}

ActionResult ActivityScanner::start(std::vector<Target> targets, std::optional<ScanRange> range) {
    if (targets.empty()) {
        return ActionResult::refused(Refusal::NothingToScan);
    }
    stop();  // a scan of its own that runs gives way without a word
    const ActionResult taken = actions_.takeTuning(
        Self, [this] { finish("another front end or tuning driver stopped it"); });
    if (!taken.succeeded()) {
        return taken;
    }
    actions_.holdSquelch(Self, true);
    targets_ = std::move(targets);
    range_ = range;
    next_ = 0;
    lockedOut_.clear();
    priorityWaiting_ = false;
    if (const ActionResult grid = chooseGrid(); !grid.succeeded()) {
        actions_.releaseTuning(Self);
        return grid;
    }
    state_ = State::Stepping;
    if (options_.priorityLocation) {
        priorityTimer_.start(options_.priorityEvery);
    }
    refusal_ = Refusal::None;
    stepNext();
    return running() ? ActionResult::done() : ActionResult::refused(refusal_);
}

// Every channel must be on the grid of the step in force, or the knob would round it away: the
// step goes finer, as the operator's step switches would set it, when it has to.
ActionResult ActivityScanner::chooseGrid() {
    const auto holdsAll = [this](std::int32_t step) {
        return std::all_of(targets_.begin(), targets_.end(),
                           [step](const Target& t) { return t.kHz % step == 0; });
    };
    if (holdsAll(actions_.receiver().stepKHz())) {
        return ActionResult::unchanged();
    }
    for (const StepRow& row : StepRows) {
        if (holdsAll(row.stepKHz)) {
            return ownTuning([&] { return actions_.chooseStep(row.stepKHz); });
        }
    }
    return ActionResult::refused(Refusal::NoSuchStep);
}

void ActivityScanner::stepNext() {
    if (priorityWaiting_) {
        priorityWaiting_ = false;
        if (const std::optional<Target> priority = priorityTarget()) {
            go(*priority);
            return;
        }
    }
    for (std::size_t tried = 0; tried < targets_.size(); ++tried) {
        const Target& target = targets_[next_ % targets_.size()];
        next_ = (next_ + 1) % targets_.size();
        if (!lockedOut_.contains(target.kHz)) {
            go(target);
            return;
        }
    }
    refusal_ = Refusal::NothingToScan;
    stoppedBy("every channel is locked out or skipped");
}

void ActivityScanner::go(const Target& target) {
    current_ = target;
    const ActionResult result = ownTuning([&] { return visitShown(target.kHz); });
    if (!result.succeeded()) {
        refusal_ = result.refusal;
        stoppedBy(megahertzText(target.kHz) + " could not be tuned: " + describe(result.refusal));
        return;
    }
    emit stateChanged();
}

ActionResult ActivityScanner::visitShown(std::int32_t kHz) {
    // Never read before the board settled, whatever dwell was chosen.
    const std::chrono::milliseconds dwell = std::max(options_.dwell, ChannelVisit::SettledDwell);
    return visit_.visit(kHz, ChannelVisit::Load::Shown, dwell,
                        [this](std::int32_t read, std::optional<int> byte) {
                            if (byte) {
                                levelRead(read, signalLevel(*byte));
                            } else {
                                stoppedBy("the channel could not be read");
                            }
                        });
}

double ActivityScanner::threshold() const {
    return squelchDialValue(actions_.receiver().squelchPosition());
}

void ActivityScanner::levelRead(std::int32_t, double level) {
    if (!running()) {
        return;
    }
    const bool active = level > threshold();
    switch (std::exchange(peek_, Peek::None)) {
        case Peek::Priority:
            if (active && priorityTarget()) {
                endHit(WallClock::now());
                current_ = priorityTarget();
                stay(level);
            } else {
                // Back to the channel it stays on, read again once the board has settled there.
                peek_ = Peek::Back;
                ownTuning([&] { return visitShown(hit_->kHz); });
            }
            return;
        case Peek::Back:
            measured(level);
            return;
        case Peek::None:
            break;
    }
    if (active) {
        stay(level);
    } else {
        stepNext();
    }
}

void ActivityScanner::stay(double level) {
    const WallClock::time_point now = WallClock::now();
    hit_ = Hit{current_->kHz, current_->name, level, now, now};
    goneSince_.reset();
    state_ = State::Staying;
    ++activity_[current_->kHz];
    actions_.holdSquelch(Self, false);
    emit activityChanged(current_->kHz);
    emit stateChanged();
}

// While it stays, every measurement of the channel says whether the signal is still there.
void ActivityScanner::measured(double level) {
    if (state_ != State::Staying || peek_ != Peek::None || !hit_) {
        return;
    }
    if (level > threshold()) {
        hit_->peakLevel = std::max(hit_->peakLevel, level);
        goneSince_.reset();
        resumeTimer_.stop();
        actions_.holdSquelch(Self, false);
    } else if (!goneSince_) {
        goneSince_ = WallClock::now();
        resumeTimer_.start(options_.resumeDelay);
    }
}

// The signal has been gone for the resume delay, or the operator moves on.
void ActivityScanner::leave() {
    if (state_ != State::Staying) {
        return;
    }
    endHit(goneSince_.value_or(WallClock::now()));
    resumeTimer_.stop();
    peek_ = Peek::None;
    actions_.holdSquelch(Self, true);
    state_ = State::Stepping;
    stepNext();
}

void ActivityScanner::resume() {
    goneSince_.reset();
    leave();
}

void ActivityScanner::lockOut() {
    if (!running() || !current_) {
        return;
    }
    lockedOut_.insert(current_->kHz);
    if (state_ == State::Staying) {
        resume();
    } else if (peek_ == Peek::None) {
        visit_.cancel();
        stepNext();
    }
}

void ActivityScanner::skipInBank() {
    if (running() && current_ && current_->location) {
        bank_.setSkip(*current_->location, true);
    }
    lockOut();
}

void ActivityScanner::priorityDue() {
    const std::optional<Target> priority = priorityTarget();
    if (!priority) {
        return;
    }
    if (state_ == State::Stepping) {
        priorityWaiting_ = true;
    } else if (state_ == State::Staying && peek_ == Peek::None && hit_ &&
               hit_->kHz != priority->kHz) {
        // A look at the priority channel, muted, and back if nothing is there.
        actions_.holdSquelch(Self, true);
        peek_ = Peek::Priority;
        const ActionResult result = ownTuning([&] { return visitShown(priority->kHz); });
        if (!result.succeeded()) {
            stoppedBy(megahertzText(priority->kHz) +
                      " could not be tuned: " + describe(result.refusal));
        }
    }
}

void ActivityScanner::endHit(WallClock::time_point end) {
    if (!hit_) {
        return;
    }
    Hit hit = *std::exchange(hit_, std::nullopt);
    hit.end = std::max(end, hit.start);
    goneSince_.reset();
    if (log_ != nullptr && !log_->write(hit)) {
        actions_.host().tell("The hit log " + log_->path() +
                             " could not be written (the disk may be full): hits are no longer "
                             "logged");
        log_.reset();
    }
    emit hitEnded(hit);
}

void ActivityScanner::logHitSoFar() {
    if (hit_ && log_ != nullptr) {
        Hit hit = *hit_;
        hit.end = goneSince_.value_or(WallClock::now());
        log_->write(hit);
    }
}

int ActivityScanner::activity(std::int32_t kHz) const {
    const auto found = activity_.find(kHz);
    return found == activity_.end() ? 0 : found->second;
}

std::optional<std::int32_t> ActivityScanner::channelKHz() const {
    return current_ ? std::optional(current_->kHz) : std::nullopt;
}

std::optional<int> ActivityScanner::channelLocation() const {
    return current_ ? current_->location : std::nullopt;
}

// A channel changed in the bank while it scans the bank: the scan goes on from where it was with
// the channels as they are now.
void ActivityScanner::bankChanged() {
    if (!running() || range_) {
        return;
    }
    targets_ = bankTargets();
    const int here = current_ && current_->location ? *current_->location : 0;
    const auto after = std::find_if(targets_.begin(), targets_.end(),
                                    [here](const Target& t) { return *t.location > here; });
    next_ = static_cast<std::size_t>(after - targets_.begin());
    if (targets_.empty()) {
        stoppedBy("no channel of the bank is left to scan");
    }
}

void ActivityScanner::stop() {
    if (running()) {
        finish("");
        actions_.releaseTuning(Self);
    }
}

// Stopped by itself: it says why, and the tuning is free again.
void ActivityScanner::stoppedBy(const std::string& why) {
    if (!running()) {
        return;
    }
    finish(why);
    actions_.releaseTuning(Self);
}

void ActivityScanner::finish(const std::string& why) {
    if (!running()) {
        return;
    }
    endHit(WallClock::now());
    visit_.cancel();
    resumeTimer_.stop();
    priorityTimer_.stop();
    state_ = State::Stopped;
    peek_ = Peek::None;
    current_.reset();
    if (!why.empty()) {
        actions_.host().tell("The activity scanner stopped: " + why + ".");
    }
    emit stateChanged();
}

}  // namespace orvex
