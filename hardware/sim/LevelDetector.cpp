#include "hardware/sim/LevelDetector.h"

#include "core/SettleTimes.h"

namespace orvex::sim {

bool LevelDetector::settling(std::chrono::microseconds at) const {
    return settling_ && at - retunedAt_ < settle::Channel;
}

double LevelDetector::shows(std::chrono::microseconds at, double level, double before) const {
    if (!settling(at)) {
        return level;
    }
    const std::chrono::microseconds since = at - retunedAt_;
    if (since < settle::SynthesizerLock) {
        return before;
    }
    const double settled = static_cast<double>((since - settle::SynthesizerLock).count()) /
                           static_cast<double>(settle::LevelDetector.count());
    return before + (level - before) * settled;
}

}  // namespace orvex::sim
