#pragma once

#include <QString>

namespace orvex {

// A labelled line across a chart at `value` on its scale.
struct ScaleTick {
    double value;
    QString label;
};

}  // namespace orvex
