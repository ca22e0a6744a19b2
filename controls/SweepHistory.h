#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "controls/Sweep.h"

namespace orvex {

// The sweeps a survey window shows and exports: the latest ones for the waterfall (the oldest
// falling off), and over every sweep of the same grid the peak held and the average on each
// channel, in dB over S9. A sweep of another grid (range or step) starts afresh.
class SweepHistory {
public:
    static constexpr std::size_t Kept = 256;

    void add(const Sweep& sweep);
    void clear();

    const std::deque<Sweep>& sweeps() const { return sweeps_; }  // oldest first
    const std::vector<double>& peakDb() const { return peakDb_; }
    const std::vector<double>& averageDb() const { return averageDb_; }
    // How many sweeps the peak and the average hold (more than are kept).
    std::size_t counted() const { return counted_; }

private:
    std::deque<Sweep> sweeps_;
    std::vector<double> peakDb_;
    std::vector<double> sumDb_;
    std::vector<double> averageDb_;
    std::size_t counted_ = 0;
};

}  // namespace orvex
