#include "ui/widgets/StripChart.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/widgets/ChartFace.h"

namespace orvex {
namespace {

constexpr double Margin = 6.0;
constexpr double LabelWidth = 56.0;
constexpr double RightRoom = 14.0;  // half of "now", right of the plot
constexpr double ScaleHeight = 18.0;
constexpr double SecondsPerMinute = 60.0;

using chart::Grid;
using chart::Labels;

const QColor Trace{0xFF, 0xE0, 0x40};
const QColor PeakColour{0xFF, 0x50, 0x40};

}  // namespace

StripChart::StripChart(QWidget* parent) : InstrumentWidget(parent) {}

void StripChart::setSpanSeconds(double seconds) {
    if (seconds != span_ && seconds > 0) {
        span_ = seconds;
        refreshFace();
    }
}

void StripChart::setRange(double lowest, double highest) {
    if (lowest != lowest_ || highest != highest_) {
        lowest_ = lowest;
        highest_ = highest;
        refreshFace();
    }
}

void StripChart::setTicks(QList<ScaleTick> ticks) {
    ticks_ = std::move(ticks);
    refreshFace();
}

void StripChart::setZoom(double zoom) {
    if (zoom != zoom_) {
        zoom_ = zoom;
        updateGeometry();
        refreshFace();
    }
}

void StripChart::setPoints(std::vector<QPointF> points) {
    points_ = std::move(points);
    update();
}

void StripChart::setPeak(std::optional<double> peak) {
    if (peak != peak_) {
        peak_ = peak;
        update();
    }
}

void StripChart::setValueText(const QString& text) {
    if (text != valueText_) {
        valueText_ = text;
        announceValue();
    }
}

QSize StripChart::sizeHint() const {
    return QSize(640, 260) * zoom_;
}

QSize StripChart::minimumSizeHint() const {
    return QSize(200, 100) * zoom_;
}

QRectF StripChart::plotArea() const {
    const double m = Margin * zoom_;
    return {m + LabelWidth * zoom_, m, width() - 2 * m - (LabelWidth + RightRoom) * zoom_,
            height() - 2 * m - ScaleHeight * zoom_};
}

QPointF StripChart::pointOf(double secondsAgo, double value) const {
    const QRectF plot = plotArea();
    const double span = highest_ - lowest_;
    const double up = span > 0 ? std::clamp((value - lowest_) / span, 0.0, 1.0) : 0.0;
    return {plot.right() - plot.width() * std::clamp(secondsAgo / span_, 0.0, 1.0),
            plot.bottom() - plot.height() * up};
}

QFont StripChart::scaleFont() const {
    return chart::scaleFont(font(), zoom_);
}

// --- painting ----------------------------------------------------------------------------------

void StripChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(plotArea());
    drawPeak(painter);
    drawTrace(painter);
}

void StripChart::paintFace(QPainter& painter) {
    drawBackground(painter);
    drawValueGrid(painter);
    drawTimeScale(painter);
}

void StripChart::drawBackground(QPainter& painter) const {
    chart::drawBackground(painter, rect(), zoom_);
}

void StripChart::drawValueGrid(QPainter& painter) const {
    painter.setFont(scaleFont());
    chart::drawValueTicks(
        painter, plotArea(), ticks_, [this](double value) { return pointOf(0, value).y(); }, zoom_);
}

// A mark a minute, "now" at the right edge.
void StripChart::drawTimeScale(QPainter& painter) const {
    const QRectF plot = plotArea();
    painter.setFont(scaleFont());
    const QFontMetricsF metrics(painter.font());
    for (double ago = 0; ago <= span_ + 1e-6; ago += SecondsPerMinute) {
        const double x = pointOf(ago, lowest_).x();
        painter.setPen(QPen(Grid, zoom_));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString text =
            ago == 0 ? QStringLiteral("now")
                     : QStringLiteral("-%1 min").arg(std::lround(ago / SecondsPerMinute));
        const double w = metrics.horizontalAdvance(text);
        painter.setPen(Labels);
        painter.drawText(
            QRectF(std::clamp(x - w / 2, 0.0, width() - w), plot.bottom(), w, ScaleHeight * zoom_),
            Qt::AlignCenter, text);
    }
}

void StripChart::drawTrace(QPainter& painter) const {
    if (points_.empty()) {
        return;
    }
    QPainterPath path(pointOf(points_.front().x(), points_.front().y()));
    for (const QPointF& point : points_) {
        path.lineTo(pointOf(point.x(), point.y()));
    }
    painter.setPen(QPen(Trace, 1.5 * zoom_));
    painter.drawPath(path);
}

void StripChart::drawPeak(QPainter& painter) const {
    if (!peak_) {
        return;
    }
    const QRectF plot = plotArea();
    const double y = pointOf(0, *peak_).y();
    painter.setPen(QPen(PeakColour, zoom_, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
}

}  // namespace orvex
