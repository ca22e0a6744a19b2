#pragma once

#include <thread>

#include "core/Delay.h"

namespace orvex {

// The program's pauses: the thread really waits, on the simulated board as on a real one, so
// the board's timing (power-on settling, the converter's pauses) is what a client meets.
class SleepingDelay : public Delay {
public:
    void pause(std::chrono::microseconds length) override { std::this_thread::sleep_for(length); }
};

}  // namespace orvex
