#include "ui/widgets/BarIndicator.h"

#include <QPainter>
#include <algorithm>

#include "ui/widgets/Drawing.h"
#include "ui/widgets/ScaleMath.h"

namespace orvex {
namespace {

constexpr int MostBlocks = 30;
constexpr double Border = 1.0;

}  // namespace

// The trough fills the whole widget: while it is opaque, what lies beneath is never redrawn for a
// new value.
BarIndicator::BarIndicator(QWidget* parent) : InstrumentWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, backgroundColor_.alpha() == 255);
}

// A value that lights as much of the bar as the last one is not redrawn for: the level beyond the
// bar's end, or within the same block, changes ten times a second while the receiver measures.
void BarIndicator::setValue(int value) {
    if (value != value_) {
        const bool moves = litLength(value) != litLength(value_);
        value_ = value;
        if (moves) {
            update();
        }
        announceValue();
    }
}

void BarIndicator::setMinimum(int minimum) {
    if (minimum != minimum_) {
        minimum_ = minimum;
        refreshFace();
    }
}

void BarIndicator::setMaximum(int maximum) {
    if (maximum != maximum_) {
        maximum_ = maximum;
        refreshFace();
    }
}

void BarIndicator::setBarColor(const QColor& color) {
    if (color != barColor_) {
        barColor_ = color;
        refreshFace();
    }
}

void BarIndicator::setBackgroundColor(const QColor& color) {
    if (color != backgroundColor_) {
        backgroundColor_ = color;
        setAttribute(Qt::WA_OpaquePaintEvent, color.alpha() == 255);
        refreshFace();
    }
}

QSize BarIndicator::sizeHint() const {
    return {140, 9};
}
QSize BarIndicator::minimumSizeHint() const {
    return {20, 4};
}

QString BarIndicator::accessibleValueText() const {
    return QString::number(value_);
}

std::optional<InstrumentWidget::AccessibleRange> BarIndicator::accessibleRange() const {
    return AccessibleRange{double(value_), double(minimum_), double(maximum_), 1.0};
}

bool BarIndicator::inBlocks() const {
    const qint64 units = qint64(maximum_) - minimum_;
    return units > 0 && units <= MostBlocks;
}

int BarIndicator::litLength(int value) const {
    const double fraction = scaleFraction(value, minimum_, maximum_);
    const double units = inBlocks() ? maximum_ - minimum_ : trough().width();
    return static_cast<int>(std::lround(fraction * units));
}

QRectF BarIndicator::trough() const {
    return QRectF(rect()).adjusted(Border + 1, Border + 1, -Border - 1, -Border - 1);
}

QRectF BarIndicator::blockRect(int index) const {
    const QRectF area = trough();
    const int blocks = maximum_ - minimum_;
    const double pitch = area.width() / blocks;
    const double gap = std::min(2.0, pitch * 0.25);
    return QRectF(area.left() + index * pitch, area.top(), pitch - gap, area.height());
}

// --- painting ----------------------------------------------------------------------------------

void BarIndicator::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    drawBar(painter);
    drawFocus(painter);
}

void BarIndicator::paintFace(QPainter& painter) {
    drawTrough(painter);
    drawUnlitBlocks(painter);
}

void BarIndicator::drawTrough(QPainter& painter) const {
    painter.fillRect(rect(), backgroundColor_);
    drawBevel(painter, rect(), Border, bevelDark(backgroundColor_), bevelLight(backgroundColor_));
}

void BarIndicator::drawUnlitBlocks(QPainter& painter) const {
    if (!inBlocks()) {
        return;
    }
    const QColor unlit = mixColors(backgroundColor_, barColor_, 0.2);
    for (int i = 0; i < maximum_ - minimum_; ++i) {
        painter.fillRect(blockRect(i), unlit);
    }
}

void BarIndicator::drawBar(QPainter& painter) const {
    const QColor lit = isEnabled() ? barColor_ : mixColors(barColor_, Qt::gray, 0.7);
    const int length = litLength(value_);
    if (inBlocks()) {
        for (int i = 0; i < length; ++i) {
            painter.fillRect(blockRect(i), lit);
        }
    } else {
        QRectF bar = trough();
        bar.setWidth(length);
        painter.fillRect(bar, lit);
    }
}

void BarIndicator::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, rect(), focusMarkWidth(*this));
    }
}

}  // namespace orvex
