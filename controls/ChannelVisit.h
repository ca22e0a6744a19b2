#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

#include "controls/ActionResult.h"
#include "controls/StepClock.h"
#include "core/SettleTimes.h"

namespace orvex {

class ReceiverActions;

// One channel visited as the board needs it before its level means anything: the divider word
// loaded, a dwell while the synthesizer locks and the level detector settles (on the driver's
// clock, never a blocking wait), then the signal channel's byte (the address transfer, then the
// transfer that carries its byte, so never the byte of the channel before). The reading comes in
// a timer step of its own, and whoever is handed it may visit the next channel from there: one
// channel per step. Whatever steps through channels by itself does each step with one of these.
class ChannelVisit {
public:
    enum class Load {
        Shown,   // tuned as the knob tunes: the display, the scale and the knob follow
        Hidden,  // only the divider word; the display keeps what it shows
    };

    // Long enough for the board to settle, in the timer's whole milliseconds.
    static constexpr std::chrono::milliseconds SettledDwell =
        std::chrono::ceil<std::chrono::milliseconds>(settle::Channel);

    // The channel's byte; none when the port or the power went in the dwell.
    using Reading = std::function<void(std::int32_t kHz, std::optional<int> byte)>;

    ChannelVisit(ReceiverActions& actions, StepClock& clock) : actions_(actions), clock_(clock) {}

    // Loads `kHz` and reads it `dwell` later; a visit still waiting is given up. Refused, with
    // nothing loaded, as the actions refuse it, or for a shown load that the step in force cannot
    // show exactly (the knob would round it).
    ActionResult visit(std::int32_t kHz, Load load, std::chrono::milliseconds dwell,
                       Reading reading);
    void cancel() { clock_.cancel(); }

private:
    ReceiverActions& actions_;
    StepClock& clock_;
};

}  // namespace orvex
