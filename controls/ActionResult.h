#pragma once

#include <string>

namespace orvex {

// Why an action did not act.
enum class Refusal {
    None,
    NoPort,          // it would write to the port, and no printer port is chosen yet
    PoweredOff,      // it works a control the panel disables while the receiver is off
    OutOfBand,       // the frequency lies outside 132–144 MHz
    NoSuchStep,      // the panel has no such tuning step
    NoSuchChannel,   // there are channel memories 1 to 3 only
    ChannelEmpty,    // the memory was never stored (the panel says so)
    ChannelInvalid,  // the memory's keys are damaged (the panel says so)
    NothingToScan,   // the channel bank has no channel a scan would visit
};

// What an action did: done (the board, panel and file as the operator's gestures leave them),
// nothing to do (the receiver is so already), refused and why, or done with a settings file that
// could not be written (the panel told why; the receiver is as the gesture left it).
struct ActionResult {
    enum class Status { Done, Unchanged, Refused, SaveFailed };

    Status status = Status::Done;
    Refusal refusal = Refusal::None;

    static constexpr ActionResult done() { return {}; }
    static constexpr ActionResult unchanged() { return {Status::Unchanged}; }
    static constexpr ActionResult refused(Refusal why) { return {Status::Refused, why}; }
    static constexpr ActionResult saveFailed() { return {Status::SaveFailed}; }

    // The receiver is as the action asked, whether it had to act or not.
    constexpr bool succeeded() const {
        return status == Status::Done || status == Status::Unchanged;
    }
    friend constexpr bool operator==(const ActionResult&, const ActionResult&) = default;
};

// Why, in words for the operator or a log: "no printer port is chosen".
std::string describe(Refusal refusal);

}  // namespace orvex
