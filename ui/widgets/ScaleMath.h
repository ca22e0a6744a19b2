#pragma once

#include <QString>
#include <vector>

namespace orvex {

// Value `step` apart from `minimum` up to `maximum`, both ends included when they fall on a step.
// Empty for a step of 0 or less, an empty range, or more than `limit` marks (a scale too fine to
// draw would otherwise take forever).
std::vector<double> scaleMarks(double minimum, double maximum, double step, int limit = 500);

// Where `value` sits on the scale, 0 at minimum and 1 at maximum, held to that span for drawing.
// Not-a-number and an empty scale give 0.
double scaleFraction(double value, double minimum, double maximum);

// A scale label as C's "%g" writes it in the "C" locale (six significant digits, no trailing
// zeros, '.' whatever the locale): 132, 2.5, 1e+06.
QString scaleLabel(double value);

}  // namespace orvex
