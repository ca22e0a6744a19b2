#include "controls/StepClock.h"

#include <utility>

namespace orvex {

QtStepClock::QtStepClock() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        // A timer may fire a little early; a channel must never be read before the board settled.
        if (const auto early = due_ - now(); early > std::chrono::microseconds::zero()) {
            timer_.start(std::chrono::ceil<std::chrono::milliseconds>(early));
            return;
        }
        // The step may start the next one, which replaces step_.
        std::function<void()> step = std::exchange(step_, {});
        if (step) {
            step();
        }
    });
}

void QtStepClock::after(std::chrono::milliseconds wait, std::function<void()> step) {
    step_ = std::move(step);
    due_ = now() + wait;
    timer_.start(wait);
}

void QtStepClock::cancel() {
    timer_.stop();
    step_ = {};
}

}  // namespace orvex
