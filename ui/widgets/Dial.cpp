#include "ui/widgets/Dial.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "ui/widgets/Drawing.h"
#include "ui/widgets/ScaleMath.h"

namespace orvex {
namespace {

// The scale is an arc of 140 degrees, minimum on the left, above a pivot near the bottom.
constexpr double StartAngle = 160.0;
constexpr double Sweep = 140.0;
constexpr double PivotHeight = 0.86;  // of the widget's height, from the top
constexpr double TopMargin = 0.13;    // of the widget's height, above the arc
constexpr double SideMargin = 0.1;    // of the widget's width, beside the arc
constexpr double MajorMark = 0.14;    // mark lengths, of the radius
constexpr double MinorMark = 0.07;
constexpr double MinorSpacing = 2.0;  // pixels; closer small marks are left out

// clang-format off
constexpr std::array<QPointF, 8> Octagon = {{
    {0, 100}, {100, 0}, {900, 0}, {1000, 100}, {1000, 900}, {900, 1000}, {100, 1000}, {0, 900},
}};
// clang-format on

QFont sizedFont(QFont font, double pixelSize) {
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
    return font;
}

}  // namespace

Dial::Dial(QWidget* parent)
    : InstrumentWidget(parent),
      labels_{QStringLiteral("Signal level"), QStringLiteral("Ubat")},
      outline_(Octagon.begin(), Octagon.end()) {}

void Dial::setNeedle0Label(const QString& label) {
    if (label != labels_[0]) {
        labels_[0] = label;
        refreshFace();
    }
}

void Dial::setNeedle1Label(const QString& label) {
    if (label != labels_[1]) {
        labels_[1] = label;
        refreshFace();
    }
}

void Dial::setSelectedNeedle(int needle) {
    if (needle >= 0 && needle < Needles) {
        selected_ = needle;
    }
}

void Dial::setValue(double value) {
    setNeedleValue(selected_, value);
}

double Dial::needleValue(int needle) const {
    return needle >= 0 && needle < Needles ? values_[needle] : 0.0;
}

void Dial::setNeedleValue(int needle, double value) {
    // Compared bit for bit: a NaN written after a NaN changes nothing, 0.0 after -0.0 does.
    if (needle < 0 || needle >= Needles ||
        std::memcmp(&values_[needle], &value, sizeof value) == 0) {
        return;
    }
    values_[needle] = value;
    if (movesVisibly(needle)) {
        update();
    }
    announceValue();
}

// A needle whose tip would move less than a pixel is not redrawn for it: the simulated board's
// noise moves the needles that little ten times a second. It never lags by a pixel or more.
bool Dial::movesVisibly(int needle) const {
    const double tip = geometry().radius * 0.96;
    const double moved =
        std::abs(radians(angleOf(values_[needle]) - angleOf(painted_[needle]))) * tip;
    return !(moved < 1.0);  // a NaN is drawn
}

void Dial::setThreshold(double threshold) {
    if (threshold != threshold_) {
        threshold_ = threshold;
        update();
    }
}

void Dial::setMinimum(double minimum) {
    if (minimum != minimum_) {
        minimum_ = minimum;
        refreshFace();
    }
}

void Dial::setMaximum(double maximum) {
    if (maximum != maximum_) {
        maximum_ = maximum;
        refreshFace();
    }
}

void Dial::setFaceColor(const QColor& color) {
    if (color != faceColor_) {
        faceColor_ = color;
        refreshFace();
    }
}

void Dial::setScaleColor(const QColor& color) {
    if (color != scaleColor_) {
        scaleColor_ = color;
        refreshFace();
    }
}

void Dial::setMajorStep(double step) {
    if (step != majorStep_) {
        majorStep_ = step;
        refreshFace();
    }
}

void Dial::setMinorStep(double step) {
    if (step != minorStep_) {
        minorStep_ = step;
        refreshFace();
    }
}

void Dial::setLabelsVisible(bool visible) {
    if (visible != labelsVisible_) {
        labelsVisible_ = visible;
        refreshFace();
    }
}

void Dial::setOutline(const QPolygonF& outline) {
    if (outline != outline_) {
        outline_ = outline;
        refreshFace();
    }
}

QSize Dial::sizeHint() const {
    return {145, 73};
}
QSize Dial::minimumSizeHint() const {
    return {60, 30};
}

QString Dial::accessibleValueText() const {
    return QStringLiteral("%1 %2, %3 %4")
        .arg(labels_[0], QString::number(values_[0]), labels_[1], QString::number(values_[1]));
}

std::optional<InstrumentWidget::AccessibleRange> Dial::accessibleRange() const {
    return AccessibleRange{value(), minimum_, maximum_, 0.0};
}

Dial::Geometry Dial::geometry() const {
    const double w = width();
    const double h = height();
    Geometry g;
    g.pivot = QPointF(w / 2.0, h * PivotHeight);
    const double byHeight = g.pivot.y() - h * TopMargin;
    const double byWidth = (w / 2.0 - w * SideMargin) / std::sin(radians(Sweep / 2.0));
    g.radius = std::max(1.0, std::min(byHeight, byWidth));
    g.labelSize = std::clamp(g.radius * 0.17, 6.0, 14.0);
    return g;
}

double Dial::angleOf(double value) const {
    return StartAngle - Sweep * scaleFraction(value, minimum_, maximum_);
}

QPolygonF Dial::mappedOutline() const {
    if (outline_.size() < 3) {
        return QPolygonF(QRectF(rect()));
    }
    return QTransform::fromScale(width() / 1000.0, height() / 1000.0).map(outline_);
}

// --- painting ----------------------------------------------------------------------------------

void Dial::paintEvent(QPaintEvent*) {
    painted_ = values_;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const Geometry g = geometry();
    drawFace(painter);
    drawThreshold(painter, g);
    drawNeedles(painter, g);
    drawFocus(painter);
}

void Dial::paintFace(QPainter& painter) {
    const Geometry g = geometry();
    drawOutline(painter);
    drawScale(painter, g);
    drawScaleLabels(painter, g);
    drawLegend(painter, g);
}

void Dial::drawOutline(QPainter& painter) const {
    painter.setPen(QPen(faceColor_.darker(170), 1.0));
    painter.setBrush(faceColor_);
    painter.drawPolygon(mappedOutline());
}

void Dial::drawScale(QPainter& painter, const Geometry& g) const {
    const double r = g.radius;
    const double line = std::max(1.0, r * 0.02);
    painter.setPen(QPen(scaleColor_, line, Qt::SolidLine, Qt::FlatCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF circle(g.pivot - QPointF(r, r), QSizeF(2 * r, 2 * r));
    painter.drawArc(circle, static_cast<int>((StartAngle - Sweep) * 16),
                    static_cast<int>(Sweep * 16));

    const double range = maximum_ - minimum_;
    const double minorGap = range > 0 ? r * radians(Sweep) * minorStep_ / range : 0.0;
    if (minorGap >= MinorSpacing) {
        for (double mark : scaleMarks(minimum_, maximum_, minorStep_)) {
            const double angle = angleOf(mark);
            painter.drawLine(polar(g.pivot, r, angle), polar(g.pivot, r * (1 - MinorMark), angle));
        }
    }
    painter.setPen(QPen(scaleColor_, line * 1.6, Qt::SolidLine, Qt::FlatCap));
    for (double mark : scaleMarks(minimum_, maximum_, majorStep_)) {
        const double angle = angleOf(mark);
        painter.drawLine(polar(g.pivot, r, angle), polar(g.pivot, r * (1 - MajorMark), angle));
    }
}

void Dial::drawScaleLabels(QPainter& painter, const Geometry& g) const {
    if (!labelsVisible_) {
        return;
    }
    painter.setFont(sizedFont(painter.font(), g.labelSize));
    painter.setPen(scaleColor_);
    const QFontMetricsF metrics(painter.font());
    const QRectF inside = QRectF(rect()).adjusted(1, 1, -1, -1);
    // Room kept clear around a label, so neighbours never touch.
    const double gap = metrics.capHeight() * 0.4;
    const std::vector<double> marks = scaleMarks(minimum_, maximum_, majorStep_);
    const auto labelBox = [&](double mark, const QString& text) {
        const QSizeF size(metrics.horizontalAdvance(text), metrics.capHeight());
        const double angle = angleOf(mark);
        // Just inside the long marks, pulled in by half the label's extent along the radius.
        const double extent = std::abs(std::cos(radians(angle))) * size.width() / 2 +
                              std::abs(std::sin(radians(angle))) * size.height() / 2;
        const double distance = g.radius * (1 - MajorMark) - g.labelSize * 0.3 - extent;
        QRectF box(QPointF(), size);
        box.moveCenter(polar(g.pivot, distance, angle));
        return box;
    };
    // Every long mark labelled, or every second, third …: the first stride at which no two labels
    // collide, so that the labels stay evenly spaced at any size. Labels that would leave the
    // dial are left out; the marks still show.
    for (std::size_t stride = 1; stride <= marks.size(); ++stride) {
        std::vector<std::pair<QRectF, QString>> shown;
        bool clear = true;
        for (std::size_t i = 0; i < marks.size() && clear; i += stride) {
            const QString text = scaleLabel(marks[i]);
            const QRectF box = labelBox(marks[i], text);
            if (!inside.contains(box)) {
                continue;
            }
            clear =
                shown.empty() || !box.intersects(shown.back().first.adjusted(-gap, -gap, gap, gap));
            shown.emplace_back(box, text);
        }
        if (clear) {
            for (const auto& [box, text] : shown) {
                painter.drawText(QPointF(box.left(), box.bottom()), text);
            }
            return;
        }
    }
}

void Dial::drawLegend(QPainter& painter, const Geometry& g) const {
    // A small sample of each needle with its label, needle 0 on the left, needle 1 on the right.
    const double size = g.labelSize;
    const double baseline = std::min(height() - size * 0.5, g.pivot.y() + size * 0.45);
    const double sample = size;
    const double inset = width() * 0.04;
    const double room = width() / 2.0 - g.radius * 0.1 - inset - sample - size * 0.3;

    const QFont font = sizedFont(painter.font(), size);
    painter.setPen(scaleColor_);
    // One size for both labels: the smaller of the two that fit.
    const QFont fitted0 = fittedFont(font, labels_[0], room);
    const QFont fitted1 = fittedFont(font, labels_[1], room);
    const QFont legend = fitted0.pixelSize() < fitted1.pixelSize() ? fitted0 : fitted1;
    const double middle = baseline - QFontMetricsF(legend).capHeight() / 2;

    painter.setBrush(scaleColor_);
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(
        QPolygonF({QPointF(inset, middle - size * 0.18), QPointF(inset + sample, middle),
                   QPointF(inset, middle + size * 0.18)}));
    painter.setPen(scaleColor_);
    painter.setFont(legend);
    painter.drawText(QPointF(inset + sample + size * 0.3, baseline), labels_[0]);

    const double textWidth = QFontMetricsF(legend).horizontalAdvance(labels_[1]);
    const double sampleLeft = width() - inset - textWidth - size * 0.3 - sample;
    painter.drawText(QPointF(width() - inset - textWidth, baseline), labels_[1]);
    painter.setPen(QPen(scaleColor_, std::max(1.0, size * 0.12)));
    painter.drawLine(QPointF(sampleLeft, middle), QPointF(sampleLeft + sample, middle));
    painter.drawEllipse(QPointF(sampleLeft + sample, middle), size * 0.15, size * 0.15);
}

void Dial::drawThreshold(QPainter& painter, const Geometry& g) const {
    const double angle = angleOf(threshold_);
    const double r = g.radius;
    const double spread = 4.0;  // degrees either side
    painter.setPen(Qt::NoPen);
    painter.setBrush(scaleColor_);
    painter.drawPolygon(
        QPolygonF({polar(g.pivot, r + 0.5, angle), polar(g.pivot, r * 1.11, angle - spread),
                   polar(g.pivot, r * 1.11, angle + spread)}));
}

void Dial::drawNeedles(QPainter& painter, const Geometry& g) const {
    const double r = g.radius;
    painter.setBrush(scaleColor_);

    // Needle 1: a thin line with a round tip, under needle 0.
    const double angle1 = angleOf(values_[1]);
    painter.setPen(QPen(scaleColor_, std::max(1.0, r * 0.025), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(g.pivot, polar(g.pivot, r * 0.78, angle1));
    // Round shapes are filled without a pen: stroking a curve costs more than the rest together.
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(polar(g.pivot, r * 0.78, angle1), r * 0.05, r * 0.05);

    // Needle 0: a tapered blade reaching the scale.
    const double angle0 = angleOf(values_[0]);
    painter.drawPolygon(QPolygonF(
        {polar(g.pivot, r * 0.045, angle0 + 90), polar(g.pivot, r * 0.96, angle0),
         polar(g.pivot, r * 0.045, angle0 - 90), polar(g.pivot, r * 0.12, angle0 + 180)}));

    // Hub, with a dark rim.
    painter.setBrush(faceColor_.darker(170));
    painter.drawEllipse(g.pivot, r * 0.08, r * 0.08);
    painter.setBrush(scaleColor_);
    painter.drawEllipse(g.pivot, r * 0.065, r * 0.065);
}

void Dial::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, mappedOutline().boundingRect(), focusMarkWidth(*this));
    }
}

}  // namespace orvex
