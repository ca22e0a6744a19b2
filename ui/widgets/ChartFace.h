#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QRectF>
#include <functional>

#include "ui/widgets/ScaleTick.h"

class QPainter;

namespace orvex {

// The face the charts share (the band survey's, the strip chart's): dark, with a grid of teal
// lines, pale labels and a font that grows with the zoom.
namespace chart {

inline const QColor Face{0x10, 0x18, 0x20};
inline const QColor Grid{0x30, 0x48, 0x58};
inline const QColor Labels{0xA0, 0xC8, 0xD8};

// The labels' font at `zoom`.
QFont scaleFont(const QFont& base, double zoom);

// The whole widget's face in `rect`, with its bevel.
void drawBackground(QPainter& painter, const QRect& rect, double zoom);

// A line across `plot` at each tick, at the height `yOf` gives, labelled right-aligned in the
// room left of the plot; then the plot's frame.
void drawValueTicks(QPainter& painter, const QRectF& plot, const QList<ScaleTick>& ticks,
                    const std::function<double(double)>& yOf, double zoom);

}  // namespace chart
}  // namespace orvex
