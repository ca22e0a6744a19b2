#pragma once

#include <chrono>

namespace orvex {

// Time as the simulated board and the drivers that step through channels see it: how long since
// the clock began. The program runs on the steady clock; tests bring one they move by hand, so a
// sweep of the band or a satellite pass takes no real time.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::chrono::microseconds now() const = 0;
};

// The machine's steady clock, from zero when it is made.
class SteadyClock final : public Clock {
public:
    std::chrono::microseconds now() const override {
        return std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - start_);
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace orvex
