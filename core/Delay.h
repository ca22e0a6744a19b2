#pragma once

#include <chrono>

namespace orvex {

// The pauses the board needs (synthesizer words, converter, settling) are real blocking waits
// behind this interface, so tests can record them and benchmarks can skip them.
class Delay {
public:
    virtual ~Delay() = default;
    virtual void pause(std::chrono::microseconds length) = 0;
};

// How long the board needs, each at least what the original counting loops gave.
namespace pause {
constexpr std::chrono::microseconds BetweenSynthWords{1000};
constexpr std::chrono::microseconds Converter{100};
constexpr std::chrono::microseconds PowerOnSettling{100000};
constexpr std::chrono::microseconds RecallSettling{10000};
}  // namespace pause

}  // namespace orvex
