#pragma once

#include <QTimer>
#include <chrono>
#include <functional>

#include "core/Clock.h"

namespace orvex {

// The time of a driver that steps through channels by itself: what the time is, and the next
// step to run after a wait. The program's runs its steps from a timer on the event loop, so a step
// never blocks the window; tests bring one on simulated time.
class StepClock : public Clock {
public:
    // `step` runs once, `wait` from now; a step still waiting is forgotten.
    virtual void after(std::chrono::milliseconds wait, std::function<void()> step) = 0;
    virtual void cancel() = 0;
};

// Steps from a precise single-shot timer, on the machine's steady clock.
class QtStepClock final : public StepClock {
public:
    QtStepClock();

    std::chrono::microseconds now() const override { return steady_.now(); }
    void after(std::chrono::milliseconds wait, std::function<void()> step) override;
    void cancel() override;

private:
    SteadyClock steady_;
    QTimer timer_;
    std::function<void()> step_;
    std::chrono::microseconds due_{};
};

}  // namespace orvex
