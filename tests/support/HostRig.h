#pragma once

#include "controls/ReceiverHost.h"
#include "support/ReceiverFixture.h"

namespace orvex::test {

// The receiver run by its host, timers and all.
struct HostRig : ReceiverRig {
    ReceiverHost host{receiver, messages};
};

}  // namespace orvex::test
