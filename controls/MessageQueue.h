#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/Messages.h"

namespace orvex {

// Collects what the receiver, the port backend and the settings store have to tell the operator
// while a handler runs; the host hands them on once the handler has returned.
class MessageQueue : public MessageSink {
public:
    void post(std::string message) override { pending_.push_back(std::move(message)); }
    std::vector<std::string> take() { return std::exchange(pending_, {}); }

private:
    std::vector<std::string> pending_;
};

}  // namespace orvex
