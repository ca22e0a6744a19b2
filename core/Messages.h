#pragma once

#include <string>

namespace orvex {

// Where plain-language messages for the operator go: a port that cannot be opened, a settings
// file that cannot be read or saved. The receiver queues them and the window shows them after the
// handler has returned; a program without a window prints them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void post(std::string message) = 0;
};

// Said when the receiver is switched on, or a board opened, before a port is chosen.
constexpr const char* NoPortChosen = "No printer port chosen: open About and choose LPT1 or LPT2";

}  // namespace orvex
