#include "ui/widgets/ThumbWheel.h"

#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

constexpr double RidgeSpacing = 20.0;  // degrees round the drum
constexpr double TurnPerStep = 10.0;   // half a ridge, so every step shows

}  // namespace

ThumbWheel::ThumbWheel(QWidget* parent) : InstrumentWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void ThumbWheel::setWheelColor(const QColor& color) {
    if (color != wheelColor_) {
        wheelColor_ = color;
        refreshFace();
    }
}

void ThumbWheel::setPixelsPerStep(int pixels) {
    pixelsPerStep_ = std::max(pixels, 1);
}

void ThumbWheel::setPageStep(int steps) {
    pageStep_ = std::max(steps, 1);
}

QStringList ThumbWheel::accessibleActions() const {
    return {QAccessibleActionInterface::increaseAction(),
            QAccessibleActionInterface::decreaseAction()};
}

void ThumbWheel::doAccessibleAction(const QString& action) {
    turn(action == QAccessibleActionInterface::increaseAction() ? 1 : -1);
}

QSize ThumbWheel::sizeHint() const {
    return {16, 110};
}
QSize ThumbWheel::minimumSizeHint() const {
    return {8, 32};
}

void ThumbWheel::turn(int steps) {
    for (int i = 0; i < std::abs(steps); ++i) {
        const bool up = steps > 0;
        rotation_ = std::fmod(rotation_ + (up ? TurnPerStep : -TurnPerStep), 360.0);
        update();
        emit turned(up ? Up : Down);
    }
}

QRectF ThumbWheel::drumRect() const {
    return QRectF(rect()).adjusted(2, 2, -2, -2);
}

// --- painting ----------------------------------------------------------------------------------

void ThumbWheel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    drawRidges(painter);
    drawFocus(painter);
}

void ThumbWheel::paintFace(QPainter& painter) {
    drawSlot(painter);
    drawDrum(painter);
}

void ThumbWheel::drawSlot(QPainter& painter) const {
    const QColor base = palette().color(QPalette::Window);
    painter.fillRect(rect(), base.darker(160));
    drawBevel(painter, rect(), 1, bevelDark(base), bevelLight(base));
}

void ThumbWheel::drawDrum(QPainter& painter) const {
    // The drum's axis is horizontal: it is brightest where it faces the viewer and falls away to
    // the top and bottom edges of the slot.
    const QRectF drum = drumRect();
    QLinearGradient shade(drum.topLeft(), drum.bottomLeft());
    shade.setColorAt(0.0, wheelColor_.darker(300));
    shade.setColorAt(0.45, wheelColor_.lighter(125));
    shade.setColorAt(1.0, wheelColor_.darker(300));
    painter.fillRect(drum, shade);
    QLinearGradient sides(drum.topLeft(), drum.topRight());
    sides.setColorAt(0.0, QColor(0, 0, 0, 60));
    sides.setColorAt(0.3, QColor(0, 0, 0, 0));
    sides.setColorAt(0.7, QColor(0, 0, 0, 0));
    sides.setColorAt(1.0, QColor(0, 0, 0, 60));
    painter.fillRect(drum, sides);
}

void ThumbWheel::drawRidges(QPainter& painter) const {
    const QRectF drum = drumRect();
    const double radius = drum.height() / 2.0;
    const double middle = drum.center().y();
    painter.save();
    painter.setClipRect(drum);
    for (double angle = std::fmod(rotation_, RidgeSpacing) - 90.0; angle <= 90.0;
         angle += RidgeSpacing) {
        const double facing = std::cos(radians(angle));  // 1 when facing the viewer
        if (facing < 0.15) {
            continue;
        }
        const double y = middle - radius * std::sin(radians(angle));
        const int alpha = static_cast<int>(200 * facing);
        painter.setPen(QPen(QColor(0, 0, 0, alpha), 1.0));
        painter.drawLine(QPointF(drum.left(), y), QPointF(drum.right(), y));
        painter.setPen(QPen(QColor(255, 255, 255, alpha / 2), 1.0));
        painter.drawLine(QPointF(drum.left(), y + 1.0), QPointF(drum.right(), y + 1.0));
    }
    painter.restore();
}

void ThumbWheel::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, rect(), focusMarkWidth(*this));
    }
}

// --- operation ---------------------------------------------------------------------------------

void ThumbWheel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    wheel_.reset();
    drag_ = Drag{event->position().y(), 0};
}

void ThumbWheel::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_) {
        return;
    }
    // Moving the mouse up rolls the front of the drum up.
    const int steps = static_cast<int>((drag_->originY - event->position().y()) / pixelsPerStep_);
    const int pending = steps - drag_->stepsTaken;
    drag_->stepsTaken = steps;
    turn(pending);
}

void ThumbWheel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    drag_.reset();
}

void ThumbWheel::wheelEvent(QWheelEvent* event) {
    turn(wheel_.add(event->angleDelta().y()));
    event->accept();
}

void ThumbWheel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
            turn(1);
            break;
        case Qt::Key_Down:
            turn(-1);
            break;
        case Qt::Key_PageUp:
            turn(pageStep_);
            break;
        case Qt::Key_PageDown:
            turn(-pageStep_);
            break;
        case Qt::Key_Home:
            emit endRequested(Down);
            break;
        case Qt::Key_End:
            emit endRequested(Up);
            break;
        default:
            InstrumentWidget::keyPressEvent(event);
            break;
    }
}

void ThumbWheel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        drag_.reset();
        wheel_.reset();
    }
    InstrumentWidget::changeEvent(event);
}

}  // namespace orvex
