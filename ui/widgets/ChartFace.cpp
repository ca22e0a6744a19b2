#include "ui/widgets/ChartFace.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex::chart {
namespace {

constexpr double FontPixels = 11.0;
constexpr double LabelGap = 6.0;

}  // namespace

QFont scaleFont(const QFont& base, double zoom) {
    QFont scale = base;
    scale.setPixelSize(static_cast<int>(std::lround(FontPixels * zoom)));
    return scale;
}

void drawBackground(QPainter& painter, const QRect& rect, double zoom) {
    painter.fillRect(rect, Face);
    drawBevel(painter, rect, zoom, bevelDark(Face), bevelLight(Face));
}

void drawValueTicks(QPainter& painter, const QRectF& plot, const QList<ScaleTick>& ticks,
                    const std::function<double(double)>& yOf, double zoom) {
    const QFontMetricsF metrics(painter.font());
    for (const ScaleTick& tick : ticks) {
        const double y = yOf(tick.value);
        painter.setPen(QPen(Grid, zoom));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Labels);
        painter.drawText(QRectF(LabelGap * zoom, y - metrics.height() / 2,
                                plot.left() - 2 * LabelGap * zoom, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, tick.label);
    }
    painter.setPen(QPen(Labels, zoom));
    painter.drawRect(plot);
}

}  // namespace orvex::chart
