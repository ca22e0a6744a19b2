#pragma once

#include <chrono>

namespace orvex {

// How long the board needs after a new divider word before a level reading belongs to the new
// channel: the synthesizer's loop locks, then the level detector's filter settles. A reading taken
// sooner is still (partly) the old channel's. The simulated board behaves so, and whatever steps
// through channels by itself waits at least this long per channel by default.
namespace settle {
constexpr std::chrono::microseconds SynthesizerLock{3000};
constexpr std::chrono::microseconds LevelDetector{7000};
constexpr std::chrono::microseconds Channel = SynthesizerLock + LevelDetector;
}  // namespace settle

}  // namespace orvex
