#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "remote/RigctlRequest.h"

namespace orvex {
class ReceiverActions;
class SatelliteTracking;
}  // namespace orvex

namespace orvex::rigctl {

// What one command did.
struct Outcome {
    Status status = Status::Ok;
    std::vector<std::string> values;  // the data lines a query answers
    std::string change;               // for the operator: what a change did, "tuned to 137.620 MHz"
    bool refusedWithoutPort = false;  // refused because no printer port is chosen yet
};

// What a connection keeps between its commands.
struct Context {
    ReceiverActions& actions;
    std::string client;                     // who is on the other end, for the operator's notes
    SatelliteTracking* tracking = nullptr;  // what AOS, LOS and the client's steering tell; none:
                                            // they only tune and answer
    bool vfoMode = false;  // every command but those Hamlib gives no VFO names one first
    int memory = 1;        // the channel memory that E selects and G FROM_VFO / TO_VFO use
};

enum class Kind {
    Query,    // answers its data lines, or RPRT n when it fails
    Setting,  // answers RPRT n, after any data lines
    Bare,     // answers its one value and nothing else, in every style
};

using Arguments = std::vector<std::string>;

struct Command {
    unsigned char shortName;  // the one-character form, 0 when there is none
    std::string_view name;    // the long form without its backslash, or a plain word (AOS)
    bool plainWord;           // the name is sent as it is, without a backslash
    Kind kind;
    std::size_t arguments;
    std::array<std::string_view, 2> labels;  // of the data lines in extended responses
    std::string_view choices;                // what "?" as the first argument lists; empty: none
    Outcome (*run)(Context&, const Arguments&);
    // Whether these arguments make the command save the settings file or switch the power,
    // which holds the one thread for a settling pause or a file's flushes; none: never.
    bool (*paces)(const Arguments&) = nullptr;
    // In VFO mode a VFO name comes before the arguments, unless Hamlib gives the command none.
    bool takesVfo = true;
};

// The command a client's word names, or nothing.
const Command* findCommand(std::string_view word);

// A name Hamlib's clients give the one VFO this receiver has: VFOA, currVFO, Main or RX.
bool isVfoName(std::string_view word);

}  // namespace orvex::rigctl
