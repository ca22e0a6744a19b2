#include "ui/widgets/Drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvex {

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

QPointF polar(QPointF center, double radius, double degrees) {
    return center +
           QPointF(radius * std::cos(radians(degrees)), -radius * std::sin(radians(degrees)));
}

QColor mixColors(const QColor& a, const QColor& b, qreal amount) {
    const auto mix = [amount](float x, float y) {
        return x + (y - x) * static_cast<float>(amount);
    };
    return QColor::fromRgbF(mix(a.redF(), b.redF()), mix(a.greenF(), b.greenF()),
                            mix(a.blueF(), b.blueF()), mix(a.alphaF(), b.alphaF()));
}

QColor bevelLight(const QColor& base) {
    return mixColors(base, Qt::white, 0.6);
}
QColor bevelDark(const QColor& base) {
    return mixColors(base, Qt::black, 0.5);
}

void drawBevel(QPainter& painter, const QRectF& rect, qreal width, const QColor& light,
               const QColor& dark) {
    if (width <= 0 || rect.isEmpty()) {
        return;
    }
    const QRectF inner = rect.adjusted(width, width, -width, -width);
    const QPolygonF topLeft({rect.bottomLeft(), rect.topLeft(), rect.topRight(), inner.topRight(),
                             inner.topLeft(), inner.bottomLeft()});
    const QPolygonF bottomRight({rect.bottomLeft(), rect.bottomRight(), rect.topRight(),
                                 inner.topRight(), inner.bottomRight(), inner.bottomLeft()});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(light);
    painter.drawPolygon(topLeft);
    painter.setBrush(dark);
    painter.drawPolygon(bottomRight);
    painter.restore();
}

QFont fittedFont(const QFont& font, const QString& text, qreal width) {
    QFont fitted = font;
    const qreal natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural <= width || natural <= 0) {
        return fitted;
    }
    const qreal scale = std::max(width / natural, 2.0 / 3.0);
    if (font.pixelSize() > 0) {
        fitted.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * scale)));
    } else {
        fitted.setPointSizeF(font.pointSizeF() * scale);
    }
    return fitted;
}

int focusMarkWidth(const QWidget& widget) {
    return std::max(MinimumFocusMark,
                    widget.style()->pixelMetric(FocusMarkMetric, nullptr, &widget));
}

void drawFocusMark(QPainter& painter, const QRectF& rect, int width) {
    const int edge = std::max(1, width / 2);
    const auto ring = [&painter](const QRectF& outer, int thickness, const QColor& color) {
        QPainterPath path;
        path.setFillRule(Qt::OddEvenFill);
        path.addRect(outer);
        path.addRect(outer.adjusted(thickness, thickness, -thickness, -thickness));
        painter.fillPath(path, color);
    };
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    ring(rect, edge, Qt::white);
    ring(rect.adjusted(edge, edge, -edge, -edge), width, Qt::black);
    painter.restore();
}

}  // namespace orvex
