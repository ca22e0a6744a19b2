#pragma once

#include <QList>
#include <QString>

#include "ui/widgets/ScaleTick.h"

namespace orvex {

// The ticks of a chart in dB over S9, labelled as an S-meter is: S1 ... S9, then +20, +40, +60.
QList<ScaleTick> sMeterTicks();

// What the meter reads for `level`: "S7 (-12 dB over S9)".
QString sMeterReading(double level);

}  // namespace orvex
