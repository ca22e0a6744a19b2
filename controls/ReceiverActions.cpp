#include "controls/ReceiverActions.h"

#include <utility>

#include "controls/MemoryKeys.h"
#include "controls/StepTable.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "core/WheelCodes.h"
#include "hardware/Synthesizer.h"

namespace orvex {
namespace {

constexpr bool inBand(double megahertz) {
    return megahertz >= BandBottomMHz && megahertz <= BandTopMHz;
}

}  // namespace

std::string describe(Refusal refusal) {
    switch (refusal) {
        case Refusal::None:
            return "nothing is in the way";
        case Refusal::NoPort:
            return "no printer port is chosen";
        case Refusal::PoweredOff:
            return "the receiver is off";
        case Refusal::OutOfBand:
            return "the frequency is outside " + bandText();
        case Refusal::NoSuchStep:
            return "the tuning step is not 5, 10 or 100 kHz";
        case Refusal::NoSuchChannel:
            return "there are channels 1 to 3 only";
        case Refusal::ChannelEmpty:
            return "the channel is empty";
        case Refusal::ChannelInvalid:
            return "the channel holds invalid values";
        case Refusal::NothingToScan:
            return "the channel bank has no channel to scan";
    }
    return "refused";
}

std::string_view describe(TuningDriver driver) {
    switch (driver) {
        case TuningDriver::Scanner:
            return "the scanner";
        case TuningDriver::Survey:
            return "the band survey";
        case TuningDriver::ActivityScanner:
            return "the activity scanner";
        case TuningDriver::Pass:
            return "the satellite pass";
    }
    return "a tuning driver";
}

ReceiverActions::ReceiverActions(ReceiverHost& host, QObject* parent)
    : QObject(parent), host_(host) {
    connect(&host_, &ReceiverHost::scanSwitched, this, &ReceiverActions::scanSwitched);
    if (receiver().scanning()) {
        scanSwitched(true);
    }
}

std::optional<ActionResult> ReceiverActions::unreachable(bool needsPort, bool needsPower) const {
    if (needsPort && !receiver().portChosen()) {
        return ActionResult::refused(Refusal::NoPort);
    }
    if (needsPower && !receiver().poweredOn()) {
        return ActionResult::refused(Refusal::PoweredOff);
    }
    return std::nullopt;
}

ActionResult ReceiverActions::afterSave(std::uint64_t failedBefore) const {
    return receiver().failedSaves() == failedBefore ? ActionResult::done()
                                                    : ActionResult::saveFailed();
}

ActionResult ReceiverActions::startUp() {
    run([](Receiver& r) { r.Form_Load(); });
    return ActionResult::done();
}

// ----- tuning

ActionResult ReceiverActions::tuneTo(double megahertz) {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    if (!inBand(megahertz)) {
        return ActionResult::refused(Refusal::OutOfBand);
    }
    const Receiver& r = receiver();
    const std::int16_t position = r.PositionFromFrequency(megahertz);
    // What TuneFromKnob would show and load for that position.
    const std::int32_t shownKHz = wrap16(position * r.stepKHz()) + BandBottomKHz;
    const std::uint16_t word =
        dividerWord(knobDividerValue(position, r.stepKHz(), r.state().DividerScale));
    if (r.panel().Knob1.position == position && r.displayedKHz() == shownKHz &&
        r.synthesizer_.holdsDivider(word)) {
        return ActionResult::unchanged();
    }
    run([position](Receiver& rx) { rx.Knob1_Change(position); });
    return ActionResult::done();
}

ActionResult ReceiverActions::stepUp() {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    run([](Receiver& r) { r.Wheel1_Change(static_cast<int>(WheelCode::Up)); });
    return ActionResult::done();
}

ActionResult ReceiverActions::stepDown() {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    run([](Receiver& r) { r.Wheel1_Change(static_cast<int>(WheelCode::Down)); });
    return ActionResult::done();
}

// The step switches are worked as the operator would click them: the 5 kHz switch on (after
// clicking it off if it shows on), or the 10/100 kHz switch until it shows the step. Then the
// knob goes back to the frequency shown before, on the new step's grid.
ActionResult ReceiverActions::chooseStep(std::int16_t stepKHz) {
    const StepRow* row = findStep(stepKHz);
    if (row == nullptr) {
        return ActionResult::refused(Refusal::NoSuchStep);
    }
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    if (receiver().stepKHz() == stepKHz) {
        return ActionResult::unchanged();
    }
    const std::optional<std::int32_t> before = receiver().displayedKHz();
    run([stepKHz, before](Receiver& r) {
        if (stepKHz == FineStep.stepKHz) {
            if (r.panel().Toggle9.on) {
                r.Toggle9_Change(false);
            }
            r.Toggle9_Change(true);
        } else {
            for (int click = 0; click < 2 && r.stepKHz() != stepKHz; ++click) {
                r.Toggle8_Change(!r.panel().Toggle8.on);
            }
        }
        if (before) {
            r.Knob1_Change(r.PositionFromFrequency(mhzFromKHz(*before)));
        }
    });
    return ActionResult::done();
}

// ----- audio

// The volume slider writes the port; the squelch slider only moves the threshold.
ActionResult ReceiverActions::setVolume(int position) {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    run([position](Receiver& r) { r.HSlider4_Change(position); });
    return ActionResult::done();
}

ActionResult ReceiverActions::setSquelch(int position) {
    if (auto refused = unreachable(false, true)) {
        return *refused;
    }
    run([position](Receiver& r) { r.HSlider3_Change(position); });
    return ActionResult::done();
}

// The Mute switch works while the receiver is off too, as on the panel.
ActionResult ReceiverActions::setMute(bool on) {
    if (receiver().muted() == on) {
        return ActionResult::unchanged();
    }
    run([on](Receiver& r) { r.Toggle2_Change(on); });
    return ActionResult::done();
}

// ----- power and port

ActionResult ReceiverActions::setPower(bool on) {
    if (receiver().poweredOn() == on) {
        return ActionResult::unchanged();
    }
    if (auto refused = unreachable(true, false)) {
        return *refused;
    }
    const std::uint64_t failedBefore = receiver().failedSaves();
    run([on](Receiver& r) { r.Toggle7_Change(on); });
    return afterSave(failedBefore);
}

ActionResult ReceiverActions::choosePort(std::int16_t base) {
    run([base](Receiver& r) { r.choosePort(base); });
    return ActionResult::done();
}

ActionResult ReceiverActions::applySavedPort() {
    run([](Receiver& r) {
        r.Toggle3_Change(true);
        r.Form2_Command1_Click();
    });
    return ActionResult::done();
}

// ----- channel memories

ActionResult ReceiverActions::store(int channel) {
    return useChannel(channel, true);
}

ActionResult ReceiverActions::recall(int channel) {
    return useChannel(channel, false);
}

// Sets the Read / Write switch as the operator would, then presses the memory's button. An empty
// or damaged memory changes nothing; the panel says why, as for the operator.
ActionResult ReceiverActions::useChannel(int channel, bool write) {
    if (channel < 1 || channel > ChannelCount) {
        return ActionResult::refused(Refusal::NoSuchChannel);
    }
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    const ChannelMemory::Status held = receiver().memory(channel).status;
    const std::uint64_t failedBefore = receiver().failedSaves();
    run([write, channel](Receiver& r) {
        if (r.panel().Toggle4.on != write) {
            r.Toggle4_Change(write);
        }
        constexpr std::array<void (Receiver::*)(), ChannelCount> Buttons{
            &Receiver::Command2_Click, &Receiver::Command3_Click, &Receiver::Command4_Click};
        (r.*Buttons[static_cast<std::size_t>(channel - 1)])();
    });
    if (write) {
        return afterSave(failedBefore);
    }
    if (held == ChannelMemory::Status::Empty) {
        return ActionResult::refused(Refusal::ChannelEmpty);
    }
    if (held == ChannelMemory::Status::Invalid) {
        return ActionResult::refused(Refusal::ChannelInvalid);
    }
    return ActionResult::done();
}

// ----- who drives the tuning

// The scan tunes at every tick; stopping it writes nothing.
ActionResult ReceiverActions::setScan(bool on) {
    if (receiver().scanning() == on) {
        return ActionResult::unchanged();
    }
    if (on) {
        if (auto refused = unreachable(true, false)) {
            return *refused;
        }
    }
    run([on](Receiver& r) { r.Toggle5_Change(on); });
    return ActionResult::done();
}

// However the Scan switch went on (the window, a client, an action), the scanner takes the
// tuning from whichever driver ran.
void ReceiverActions::scanSwitched(bool on) {
    if (on && driver_ != TuningDriver::Scanner) {
        stopDriver();
        setDriver(TuningDriver::Scanner,
                  [this] { run([](Receiver& r) { r.Toggle5_Change(false); }); });
    } else if (!on && driver_ == TuningDriver::Scanner) {
        setDriver(std::nullopt, {});
    }
}

ActionResult ReceiverActions::takeTuning(TuningDriver driver, std::function<void()> stop) {
    if (driver == TuningDriver::Scanner) {
        return setScan(true);
    }
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    stopDriver();
    setDriver(driver, std::move(stop));
    return ActionResult::done();
}

void ReceiverActions::releaseTuning(TuningDriver driver) {
    if (driver_ == driver) {
        setDriver(std::nullopt, {});
    }
}

void ReceiverActions::steer() {
    stopDriver();
}

void ReceiverActions::holdSquelch(TuningDriver driver, bool hold) {
    if (driver_ != driver || !holdsSquelch(driver)) {
        return;
    }
    // The decision is taken again at once: a channel stepped to must not be heard until the
    // next measurement, and one stayed on should be heard without waiting for it.
    run([hold](Receiver& r) {
        r.squelchHeld_ = hold;
        r.squelchFromTexts();
    });
}

void ReceiverActions::offerBankScan(std::function<ActionResult()> start) {
    bankScan_ = std::move(start);
}

ActionResult ReceiverActions::scanBank() {
    if (!bankScan_) {
        return ActionResult::refused(Refusal::NothingToScan);
    }
    return bankScan_();
}

ActionResult ReceiverActions::stopScan() {
    if (driver_ != TuningDriver::Scanner && driver_ != TuningDriver::ActivityScanner) {
        return ActionResult::unchanged();
    }
    stopDriver();
    return ActionResult::done();
}

ActionResult ReceiverActions::steerTo(double megahertz, const std::string& who) {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    if (!inBand(megahertz)) {
        return ActionResult::refused(Refusal::OutOfBand);
    }
    const std::optional<TuningDriver> stopped =
        driver_ == TuningDriver::Pass ? std::nullopt : driver_;
    if (stopped) {
        stopDriver();
    }
    const ActionResult result = tuneTo(megahertz);
    if (stopped) {
        const std::optional<std::int32_t> kHz = receiver().displayedKHz();
        host_.tell(who + " stopped " + std::string(describe(*stopped)) + " and tuned to " +
                   (kHz ? megahertzText(*kHz) : std::string("the frequency it asked")));
    }
    return result;
}

// The driver's own stop runs once; whatever it does, it no longer drives.
void ReceiverActions::stopDriver() {
    if (!driver_) {
        return;
    }
    std::function<void()> stop = std::exchange(stopDriver_, {});
    setDriver(std::nullopt, {});
    if (stop) {
        stop();
    }
}

void ReceiverActions::setDriver(std::optional<TuningDriver> driver, std::function<void()> stop) {
    const bool hold = driver && holdsSquelch(*driver);
    if (host_.receiver().squelchHeld() != hold) {
        run([hold](Receiver& r) { r.squelchHeld_ = hold; });
    }
    stopDriver_ = std::move(stop);
    if (driver_ != driver) {
        driver_ = driver;
        emit driverChanged(driver_);
    }
}

ActionResult ReceiverActions::loadDividerFor(std::int32_t kHz) {
    if (auto refused = unreachable(true, true)) {
        return *refused;
    }
    if (!inBand(mhzFromKHz(kHz))) {
        return ActionResult::refused(Refusal::OutOfBand);
    }
    // The divider counts in units of the comparison frequency: 10 kHz, or 5 kHz at scale 2.
    const std::int32_t scale = receiver().state().DividerScale;
    const std::int32_t units = (kHz + static_cast<std::int32_t>(IntermediateKHz)) * scale;
    if (scale <= 0 || units % 10 != 0) {
        return ActionResult::refused(Refusal::NoSuchStep);
    }
    const auto word = static_cast<std::uint16_t>(units / 10);
    if (!receiver().synthesizer_.holdsDivider(word)) {
        run([word](Receiver& r) { r.synthesizer_.LoadDivider(word); });
    }
    return ActionResult::done();
}

std::optional<int> ReceiverActions::readSignalByte() {
    if (unreachable(true, true)) {
        return std::nullopt;
    }
    int byte = 0;
    run([&byte](Receiver& r) { byte = r.converter_.readSignal(); });
    return byte;
}

}  // namespace orvex
