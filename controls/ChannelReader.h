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

// Reads one channel after another for a driver that steps through them by itself: the channel's
// divider loaded, a dwell while the synthesizer locks and the level detector settles, then the
// signal channel's byte (the address transfer, then the transfer that carries its byte, so never
// the byte of the channel before). The reading comes in a timer step of its own, and whoever is
// handed it may visit the next channel from there: one channel per step, nothing ever waits.
class ChannelReader {
public:
    // Long enough for the board to settle, in the timer's whole milliseconds.
    static constexpr std::chrono::milliseconds DefaultDwell =
        std::chrono::ceil<std::chrono::milliseconds>(settle::Channel);

    // The channel's byte; none when the port or the power went in the dwell.
    using Reading = std::function<void(std::int32_t kHz, std::optional<int> byte)>;

    ChannelReader(ReceiverActions& actions, StepClock& clock) : actions_(actions), clock_(clock) {}

    // Loads `kHz` (at the reference in force) and reads it `dwell` later; a visit still waiting
    // is forgotten. Refused as ReceiverActions::loadDividerFor refuses, and nothing follows.
    ActionResult visit(std::int32_t kHz, std::chrono::milliseconds dwell, Reading reading);
    void cancel() { clock_.cancel(); }

private:
    ReceiverActions& actions_;
    StepClock& clock_;
};

}  // namespace orvex
