#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "controls/ActionResult.h"
#include "controls/ReceiverHost.h"
#include "controls/TuningDriver.h"

namespace orvex {

// The operator's intents, for every front end that is not the panel itself: the remote server,
// the program's start, the survey, the scanners and the passes. Each performs exactly the
// gestures the operator would make on the panel (the knob and TuneFromKnob, the step switches,
// the Read / Write switch and a channel button, the About window's port choice …), runs them
// through the host, and says what came of it. The window itself forwards the operator's real
// clicks to the handlers.
//
// Beyond the panel: a tune to the grid point the receiver shows already, whose divider word the
// synthesizer holds, touches nothing (a satellite tracker sends the same frequency every second).
//
// It also decides who drives the tuning (TuningDriver.h): at most one driver runs.
class ReceiverActions : public QObject {
    Q_OBJECT

public:
    explicit ReceiverActions(ReceiverHost& host, QObject* parent = nullptr);

    const Receiver& receiver() const { return host_.receiver(); }
    ReceiverHost& host() { return host_; }

    // Start-up, as the main window's loading runs it: the synthesizer's words, the panel dark,
    // the operator's settings of the last power-off read.
    ActionResult startUp();

    // Tuning: to the grid point PositionFromFrequency gives for `megahertz` (refused outside the
    // band), one step up or down as the thumb wheel turns, or to another step with the knob back
    // at the frequency shown before on the new step's grid.
    ActionResult tuneTo(double megahertz);
    ActionResult stepUp();
    ActionResult stepDown();
    ActionResult chooseStep(std::int16_t stepKHz);

    // Audio: the volume (0–7) and squelch (0–1000) sliders as the operator moves them, the Mute
    // switch.
    ActionResult setVolume(int position);
    ActionResult setSquelch(int position);
    ActionResult setMute(bool on);

    // Power: the power switch. Switching off saves the settings; SaveFailed when that failed.
    ActionResult setPower(bool on);
    // The port: LPT1 (888) or LPT2 (632) as the About window chooses it, or the one saved at the
    // last power-off, as opening the About window and pressing "OK" applies it.
    ActionResult choosePort(std::int16_t base);
    ActionResult applySavedPort();

    // Channel memories 1 to 3: the Read / Write switch set as needed, then the channel's button.
    ActionResult store(int channel);
    ActionResult recall(int channel);

    // The Scan switch.
    ActionResult setScan(bool on);

    // Tuning drivers ------------------------------------------------------------------------

    // The driver that tunes now, if any.
    std::optional<TuningDriver> driver() const { return driver_; }
    // `driver` takes the tuning: the one running is stopped first (the Scan switch through its
    // handler, the others through their own stop), and the squelch decisions are held while a
    // driver that holds them runs. `stop` ends `driver` when another takes the tuning or someone
    // steers; it must not call back into takeTuning or releaseTuning. Refused without a port or
    // power, and for the Scan switch (setScan starts it).
    ActionResult takeTuning(TuningDriver driver, std::function<void()> stop);
    // `driver` ended by itself; nothing else is restored.
    void releaseTuning(TuningDriver driver);
    // Someone tunes by hand (a remote client, the operator through an action): the driver
    // running stops.
    void steer();
    // For a driver that holds the squelch, while it runs: lets the squelch decide again (it
    // stays on a channel the operator should hear) or holds it again, taking the decision at
    // once either way.
    void holdSquelch(TuningDriver driver, bool hold);

    // The activity scanner over the channel bank (a remote client's "g MEM 0"): the program
    // that keeps a bank offers its start here. Refused with NothingToScan without one.
    void offerBankScan(std::function<ActionResult()> start);
    ActionResult scanBank();
    // Stops the Scan switch's scanner or the activity scanner, whichever runs; the other
    // drivers run on.
    ActionResult stopScan();
    // A client steers the receiver (a tracker's Doppler updates, a script's F): the driver
    // running stops first, even when the receiver shows that grid point already, except a
    // satellite pass, which is what the client steers; then tuneTo. The operator is told which
    // client (`who`) stopped which driver. A refused tune stops nothing.
    ActionResult steerTo(double megahertz, const std::string& who);

    // For drivers: loads the synthesizer's divider word for `kHz` at the reference in force,
    // without touching the display; refused when the grid of the reference does not hold `kHz`
    // or it lies outside the band.
    ActionResult loadDividerFor(std::int32_t kHz);
    // For drivers: the converter's byte for the signal channel now (nothing shown, no squelch
    // decision); nothing without a port or power. The level detector needs time after a load
    // (core/SettleTimes.h) before the byte is the new channel's.
    std::optional<int> readSignalByte();
    // For drivers that read the converter themselves: the measurement timer paused while
    // `held`, and running again as the panel says once let go.
    void holdMeasurement(bool held) { host_.holdMeasurement(held); }

signals:
    // The driver that tunes changed: none, or the one named.
    void driverChanged(std::optional<orvex::TuningDriver> driver);

private:
    template <typename Handler>
    void run(Handler&& handler) {
        host_.run(std::forward<Handler>(handler));
    }
    // What an action needs before it may act: a port chosen when it would write to the port, the
    // receiver on when it works a control the panel disables while off.
    std::optional<ActionResult> unreachable(bool needsPort, bool needsPower) const;
    ActionResult afterSave(std::uint64_t failedBefore) const;
    ActionResult useChannel(int channel, bool write);
    void scanSwitched(bool on);
    void stopDriver();
    void setDriver(std::optional<TuningDriver> driver, std::function<void()> stop);

    ReceiverHost& host_;
    std::optional<TuningDriver> driver_;
    std::function<void()> stopDriver_;
    std::function<ActionResult()> bankScan_;
};

}  // namespace orvex
