#pragma once

#include <thread>

#include "core/Delay.h"

namespace orvex {

// The pause used with real hardware and the simulated board: the thread really waits.
class SleepingDelay : public Delay {
public:
    void pause(std::chrono::microseconds length) override { std::this_thread::sleep_for(length); }
};

}  // namespace orvex
