#include "ui/widgets/LinearGauge.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "ui/widgets/Drawing.h"
#include "ui/widgets/ScaleMath.h"

namespace orvex {
namespace {

constexpr double Border = 1.0;
// Heights, of the widget's: the marks cross the bar, the long ones reach a little below it, and
// the labels take all the rest, as a gauge in a panel is rarely taller than one line of text.
constexpr double BarHeight = 0.18;
constexpr double MajorMark = 0.1;  // below the bar
constexpr double MinorMark = 0.0;
constexpr double MinorSpacing = 2.0;  // pixels; closer small marks are left out

}  // namespace

LinearGauge::LinearGauge(QWidget* parent) : InstrumentWidget(parent) {}

void LinearGauge::setMinimum(double minimum) {
    if (minimum != minimum_) {
        minimum_ = minimum;
        refreshFace();
    }
}

void LinearGauge::setMaximum(double maximum) {
    if (maximum != maximum_) {
        maximum_ = maximum;
        refreshFace();
    }
}

void LinearGauge::setValue(double value) {
    // Compared bit for bit, so that NaN after NaN is no change.
    if (std::memcmp(&value, &value_, sizeof value) != 0) {
        value_ = value;
        update();
        announceValue();
    }
}

void LinearGauge::setMajorStep(double step) {
    if (step != majorStep_) {
        majorStep_ = step;
        refreshFace();
    }
}

void LinearGauge::setMinorStep(double step) {
    if (step != minorStep_) {
        minorStep_ = step;
        refreshFace();
    }
}

void LinearGauge::setBackgroundColor(const QColor& color) {
    if (color != backgroundColor_) {
        backgroundColor_ = color;
        refreshFace();
    }
}

void LinearGauge::setBarColor(const QColor& color) {
    if (color != barColor_) {
        barColor_ = color;
        refreshFace();
    }
}

void LinearGauge::setScaleColor(const QColor& color) {
    if (color != scaleColor_) {
        scaleColor_ = color;
        refreshFace();
    }
}

void LinearGauge::setPointerColor(const QColor& color) {
    if (color != pointerColor_) {
        pointerColor_ = color;
        update();
    }
}

QSize LinearGauge::sizeHint() const {
    const QFontMetrics metrics(font());
    return {240, std::max(17, metrics.capHeight() * 2 + 4)};
}

QSize LinearGauge::minimumSizeHint() const {
    return {60, 12};
}

QString LinearGauge::accessibleValueText() const {
    return QString::number(value_);
}

std::optional<InstrumentWidget::AccessibleRange> LinearGauge::accessibleRange() const {
    return AccessibleRange{value_, minimum_, maximum_, 0.0};
}

LinearGauge::Geometry LinearGauge::geometry() const {
    const double h = height();
    Geometry g;
    g.barTop = Border + 1.0;
    g.barBottom = g.barTop + std::max(2.0, h * BarHeight);
    // The labels fill what is left below the long marks, at most at the widget's own font size.
    const double labelRoom = baseline() - (g.barBottom + h * MajorMark) - 1.0;
    // Digits are as tall as capitals.
    const double fontSize = std::max(1, QFontInfo(font()).pixelSize());
    const double capRatio = QFontMetricsF(font()).capHeight() / fontSize;
    g.labelSize = std::clamp(labelRoom / capRatio, 4.0, std::max(4.0, fontSize));
    QFont labels = font();
    labels.setPixelSize(static_cast<int>(g.labelSize));
    const QFontMetricsF labelMetrics(labels);
    // Room for half of the end labels beyond the ends of the scale.
    g.left = Border + 1.0 + labelMetrics.horizontalAdvance(scaleLabel(minimum_)) / 2;
    g.right = width() - Border - 1.0 - labelMetrics.horizontalAdvance(scaleLabel(maximum_)) / 2;
    return g;
}

double LinearGauge::baseline() const {
    return height() - Border - 0.5;
}

double LinearGauge::xOf(double value, const Geometry& g) const {
    return g.left + (g.right - g.left) * scaleFraction(value, minimum_, maximum_);
}

// --- painting ----------------------------------------------------------------------------------

void LinearGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    drawPointer(painter, geometry());
    drawFocus(painter);
}

void LinearGauge::paintFace(QPainter& painter) {
    const Geometry g = geometry();
    drawBackground(painter);
    drawBar(painter, g);
    drawMarks(painter, g);
    drawLabels(painter, g);
}

void LinearGauge::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), backgroundColor_);
    drawBevel(painter, rect(), Border, bevelDark(backgroundColor_), bevelLight(backgroundColor_));
}

void LinearGauge::drawBar(QPainter& painter, const Geometry& g) const {
    painter.fillRect(QRectF(QPointF(g.left, g.barTop), QPointF(g.right, g.barBottom)), barColor_);
}

void LinearGauge::drawMarks(QPainter& painter, const Geometry& g) const {
    const double h = height();
    painter.setPen(QPen(scaleColor_, 1.0, Qt::SolidLine, Qt::FlatCap));
    const double range = maximum_ - minimum_;
    const double minorGap = range > 0 ? (g.right - g.left) * minorStep_ / range : 0.0;
    if (minorGap >= MinorSpacing) {
        for (double mark : scaleMarks(minimum_, maximum_, minorStep_)) {
            const double x = xOf(mark, g);
            painter.drawLine(QPointF(x, g.barTop), QPointF(x, g.barBottom + h * MinorMark));
        }
    }
    for (double mark : scaleMarks(minimum_, maximum_, majorStep_)) {
        const double x = xOf(mark, g);
        painter.drawLine(QPointF(x, g.barTop), QPointF(x, g.barBottom + h * MajorMark));
    }
}

void LinearGauge::drawLabels(QPainter& painter, const Geometry& g) const {
    QFont labels = painter.font();
    labels.setPixelSize(static_cast<int>(g.labelSize));
    painter.setFont(labels);
    painter.setPen(scaleColor_);
    const QFontMetricsF metrics(labels);
    double previousRight = -1e9;
    for (double mark : scaleMarks(minimum_, maximum_, majorStep_)) {
        const QString text = scaleLabel(mark);
        const double textWidth = metrics.horizontalAdvance(text);
        const double left = xOf(mark, g) - textWidth / 2;
        // A label that would run into the one before is left out; its mark still shows.
        if (left < previousRight + 2.0) {
            continue;
        }
        painter.drawText(QPointF(left, baseline()), text);
        previousRight = left + textWidth;
    }
}

void LinearGauge::drawPointer(QPainter& painter, const Geometry& g) const {
    const double x = xOf(value_, g);
    const double half = std::max(3.0, g.barBottom - g.barTop);
    const double bottom = g.barBottom + height() * MajorMark;
    painter.setPen(QPen(pointerColor_, std::max(1.5, half * 0.5), Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(x, g.barTop), QPointF(x, bottom));
    painter.setPen(Qt::NoPen);
    painter.setBrush(pointerColor_);
    painter.drawPolygon(QPolygonF(
        {QPointF(x - half, Border), QPointF(x + half, Border), QPointF(x, g.barBottom + 1.0)}));
}

void LinearGauge::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, rect(), focusMarkWidth(*this));
    }
}

}  // namespace orvex
