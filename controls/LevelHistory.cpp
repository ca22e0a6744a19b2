#include "controls/LevelHistory.h"

#include <algorithm>

namespace orvex {

void LevelHistory::add(std::chrono::microseconds at, double level) {
    points_.push_back({at, level});
    while (points_.front().at < at - Span) {
        points_.pop_front();
    }
    peak_ = std::max(peak_.value_or(level), level);
}

}  // namespace orvex
