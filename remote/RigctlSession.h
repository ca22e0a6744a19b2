#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "remote/RigctlCommands.h"

namespace orvex {

class ReceiverActions;
class SatelliteTracking;

// What a conversation starts with.
struct SessionSetup {
    std::string client = "a rigctl client";  // the client's address, until it shows what it is
    bool vfoMode = false;                    // Hamlib's VFO mode from the first command
    SatelliteTracking* tracking = nullptr;   // what AOS, LOS and the client's tuning tell
};

// One client's conversation in the rigctl protocol, with no socket in it: bytes in as they
// arrive, answers out one line at a time, so that the server decides when each command runs.
// Lines end in LF, CR or CRLF, also split across arrivals; every complete line is answered in
// order, and one line's error never touches the next.
class RigctlSession {
public:
    // A longer line is no command of this protocol: it ends the conversation.
    static constexpr std::size_t MaxLineBytes = 1024;

    // What answering one line brought about.
    struct Answer {
        std::string bytes;                // what the client is sent; empty for a blank line
        std::string change;               // the change the command made, for the operator
        bool refusedWithoutPort = false;  // the command was refused: no printer port chosen
        bool paced = false;               // it saved the settings or switched the power
    };

    // Why the conversation is over, once it is.
    enum class Ending { None, Quit, LineTooLong };

    explicit RigctlSession(ReceiverActions& actions, SessionSetup setup = {});
    // The client is gone: what it steered is no longer steered.
    ~RigctlSession();
    RigctlSession(const RigctlSession&) = delete;
    RigctlSession& operator=(const RigctlSession&) = delete;

    // Keeps what has arrived until its lines are answered; nothing once the conversation is over.
    void feed(std::string_view bytes);
    // A line is waiting to be answered: a complete one, or the start of one too long to be a
    // command, which answerNext refuses.
    bool ready() const;
    // Answers the first waiting line; an empty answer when none waits.
    Answer answerNext();
    // The client said q, or sent a line too long: close once the answer is written.
    bool finished() const { return ending_ != Ending::None; }
    Ending ending() const { return ending_; }
    // Who the client is, as the operator's notes name it: its address, or the tracker it showed
    // itself to be.
    const std::string& client() const { return context_.client; }
    bool vfoMode() const { return context_.vfoMode; }

private:
    void answerLine(std::string_view line, Answer& answer);

    rigctl::Context context_;
    std::string input_;          // what has arrived and is not answered yet
    bool skipLineFeed_ = false;  // the last line ended in CR at the end of what had arrived: an
                                 // LF first in the next arrival is its pair
    Ending ending_ = Ending::None;
};

}  // namespace orvex
