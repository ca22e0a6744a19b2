#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::rigctl {

// The answer codes of the protocol (Hamlib 4.5 numbering); a client prints "RPRT -n".
enum class Status {
    Ok = 0,
    InvalidParameter = 1,  // a missing, malformed or out-of-range argument
    Io = 6,                // done, but the settings file could not be written
    Protocol = 8,          // a line the server cannot take at all
    Rejected = 9,          // refused: no printer port chosen, or an empty memory
    Unavailable = 11,      // no such command, level or function on this receiver
    PoweredOff = 20,       // the receiver is switched off
};

// One command line as a client sent it, without its line end.
struct Request {
    // Extended response: the separator between answer lines ('\n' for '+'), else nothing.
    std::optional<char> separator;
    std::string command;  // "f", "\\get_freq", "AOS", or a single byte such as 0x8B
    std::vector<std::string> arguments;
};

// Splits a line into the response style, the command and its blank-separated arguments. A line
// of blanks has no command.
Request parseRequest(std::string_view line);

}  // namespace orvex::rigctl
