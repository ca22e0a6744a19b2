#include "controls/SweepHistory.h"

#include <algorithm>

namespace orvex {

void SweepHistory::add(const Sweep& sweep) {
    const bool sameGrid = !sweeps_.empty() && sweeps_.back().lowKHz == sweep.lowKHz &&
                          sweeps_.back().stepKHz == sweep.stepKHz &&
                          sweeps_.back().bytes.size() == sweep.bytes.size();
    if (!sameGrid) {
        clear();
        peakDb_.assign(sweep.bytes.size(), LowestDbOverS9);
        sumDb_.assign(sweep.bytes.size(), 0.0);
        averageDb_.assign(sweep.bytes.size(), 0.0);
    }
    ++counted_;
    for (std::size_t i = 0; i < sweep.bytes.size(); ++i) {
        const double db = sweep.db(i);
        peakDb_[i] = std::max(peakDb_[i], db);
        sumDb_[i] += db;
        averageDb_[i] = sumDb_[i] / static_cast<double>(counted_);
    }
    sweeps_.push_back(sweep);
    if (sweeps_.size() > Kept) {
        sweeps_.pop_front();
    }
}

void SweepHistory::clear() {
    sweeps_.clear();
    peakDb_.clear();
    sumDb_.clear();
    averageDb_.clear();
    counted_ = 0;
}

}  // namespace orvex
