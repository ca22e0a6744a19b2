#pragma once

#include <chrono>
#include <functional>
#include <utility>

#include "controls/StepClock.h"

namespace orvex::test {

// Time that passes only when a test says so: the simulated board's clock and a driver's step
// timer in one, so a survey of the whole band or a satellite pass runs in no real time.
class SimulatedTime final : public StepClock {
public:
    std::chrono::microseconds now() const override { return now_; }
    void after(std::chrono::milliseconds wait, std::function<void()> step) override {
        due_ = now_ + wait;
        step_ = std::move(step);
    }
    void cancel() override { step_ = {}; }
    bool waiting() const { return static_cast<bool>(step_); }

    void advance(std::chrono::microseconds by) { now_ += by; }
    // Runs the waiting steps one after another, the time jumping to each, until none waits or
    // `most` have run; how many ran.
    int run(int most = 1000000) {
        int ran = 0;
        while (step_ && ran < most) {
            now_ = std::max(now_, due_);
            std::exchange(step_, {})();
            ++ran;
        }
        return ran;
    }

private:
    std::chrono::microseconds now_{};
    std::chrono::microseconds due_{};
    std::function<void()> step_;
};

}  // namespace orvex::test
