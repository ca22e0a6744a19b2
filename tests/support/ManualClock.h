#pragma once

#include <chrono>

#include "core/Clock.h"

namespace orvex::test {

// A clock that moves only when the test moves it.
class ManualClock final : public Clock {
public:
    std::chrono::microseconds now() const override { return now_; }
    void advance(std::chrono::microseconds by) { now_ += by; }

private:
    std::chrono::microseconds now_{};
};

}  // namespace orvex::test
