#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "remote/RigctlCommands.h"

namespace orvex {

class ReceiverActions;

// One client's conversation in the rigctl protocol, with no socket in it: bytes in as they
// arrive, answer bytes out. Lines end in LF, CR or CRLF, also split across arrivals; every
// complete line is answered in order, and one line's error never touches the next.
class RigctlSession {
public:
    // A longer line is no command of this protocol: it ends the conversation.
    static constexpr std::size_t MaxLineBytes = 1024;

    // What the bytes of one arrival brought about.
    struct Answer {
        std::string bytes;                // every complete line answered, in order
        std::string change;               // the last change a command made, for the operator
        bool refusedWithoutPort = false;  // a command was refused: no printer port chosen
    };

    // Why the conversation is over, once it is.
    enum class Ending { None, Quit, LineTooLong };

    explicit RigctlSession(ReceiverActions& actions) : context_{actions} {}

    Answer receive(std::string_view bytes);
    // The client said q, or sent a line too long: close once the answer is written.
    bool finished() const { return ending_ != Ending::None; }
    Ending ending() const { return ending_; }

private:
    void answerLine(std::string_view line, Answer& answer);

    rigctl::Context context_;
    std::string pending_;  // the start of a line not yet ended
    bool skipLineFeed_ =
        false;  // the last arrival ended in CR: an LF first in this one is its pair
    Ending ending_ = Ending::None;
};

}  // namespace orvex
