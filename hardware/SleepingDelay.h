#pragma once

#include <thread>

#include "core/Delay.h"

namespace orvex {

// The pause used with real hardware: the thread really waits.
class SleepingDelay : public Delay {
public:
    void pause(std::chrono::microseconds length) override { std::this_thread::sleep_for(length); }
};

// The pause of the simulated board, whose chips need no time: none. A trace in front of it still
// records every pause.
class NoWait : public Delay {
public:
    void pause(std::chrono::microseconds /*length*/) override {}
};

}  // namespace orvex
