#pragma once

#include <chrono>

namespace orvex::sim {

// The receiver's level detector as it follows a retune. While the synthesizer's loop pulls in
// (settle::SynthesizerLock) the detector still shows the level of the frequency tuned before;
// then its filter moves to the new frequency's level over settle::LevelDetector. A reading taken
// sooner is (partly) the old channel's, as on a real board.
class LevelDetector {
public:
    // The receive frequency changed at `at`.
    void retuned(std::chrono::microseconds at) {
        retunedAt_ = at;
        settling_ = true;
    }
    // Power dropped: nothing left to settle from.
    void reset() { settling_ = false; }
    bool settling(std::chrono::microseconds at) const;

    // What it shows at `at`, where the frequency tuned now gives `level` and the one tuned before
    // the last retune gives `before`.
    double shows(std::chrono::microseconds at, double level, double before) const;

private:
    std::chrono::microseconds retunedAt_{};
    bool settling_ = false;
};

}  // namespace orvex::sim
