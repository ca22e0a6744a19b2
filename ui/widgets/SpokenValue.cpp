#include "ui/widgets/SpokenValue.h"

#include <cmath>

namespace orvex {

void SpokenValue::setWords(Words words) {
    words_ = std::move(words);
    changed();
}

void SpokenValue::setScale(double offset, double factor) {
    if (!std::isfinite(offset) || !std::isfinite(factor) || factor == 0.0) {
        return;
    }
    if (offset != offset_ || factor != factor_) {
        offset_ = offset;
        factor_ = factor;
        changed();
    }
}

void SpokenValue::setLimits(Limits limits) {
    limits_ = limits;
    changed();
}

}  // namespace orvex
