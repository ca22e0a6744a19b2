#include "ui/widgets/ScaleMath.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace orvex {

std::vector<double> scaleMarks(double minimum, double maximum, double step, int limit) {
    std::vector<double> marks;
    if (!(step > 0.0) || !(maximum > minimum) || !std::isfinite(maximum - minimum)) {
        return marks;
    }
    const double count = std::floor((maximum - minimum) / step + 1e-9);
    if (count + 1 > limit) {
        return marks;
    }
    // Each mark is computed from the minimum, not by adding steps, so no error piles up; a mark a
    // rounding error away from zero is zero (-0.3 + 3 x 0.1 must be labelled "0").
    for (int i = 0; i <= static_cast<int>(count); ++i) {
        const double mark = minimum + i * step;
        marks.push_back(std::abs(mark) < step * 1e-9 ? 0.0 : mark);
    }
    return marks;
}

double scaleFraction(double value, double minimum, double maximum) {
    if (std::isnan(value) || !(maximum > minimum)) {
        return 0.0;
    }
    return std::clamp((value - minimum) / (maximum - minimum), 0.0, 1.0);
}

QString scaleLabel(double value) {
    if (value == 0.0) {
        value = 0.0;  // no "-0"
    }
    std::array<char, 32> text{};
    const auto result =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 6);
    return QString::fromLatin1(text.data(), static_cast<int>(result.ptr - text.data()));
}

}  // namespace orvex
