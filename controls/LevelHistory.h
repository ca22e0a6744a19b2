#pragma once

#include <chrono>
#include <deque>
#include <optional>

namespace orvex {

// The signal level over the last minutes, for a strip chart: a point a measurement, the oldest
// falling off the end, and the highest level since the hold was last let go.
class LevelHistory {
public:
    static constexpr std::chrono::minutes Span{5};

    struct Point {
        std::chrono::microseconds at;  // on a steady clock
        double level;
    };

    // A measurement at `at`; points older than Span before it fall off.
    void add(std::chrono::microseconds at, double level);
    const std::deque<Point>& points() const { return points_; }
    std::optional<double> peak() const { return peak_; }
    void releasePeak() { peak_.reset(); }

private:
    std::deque<Point> points_;
    std::optional<double> peak_;
};

}  // namespace orvex
