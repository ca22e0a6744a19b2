#include "ui/widgets/Knob.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

// Position 0 sits at seven-thirty, the maximum at half past four, turning clockwise.
constexpr double StartAngle = 225.0;
constexpr double Sweep = 270.0;
constexpr int ScaleMarks = 11;
constexpr int GripNotches = 24;
// A drag moves one step every DragPixels pixels, or every DragPixels x FineDrag with Shift held.
constexpr int DragPixels = 4;
constexpr int FineDrag = 4;

}  // namespace

Knob::Knob(QWidget* parent) : InstrumentWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void Knob::setPosition(int position) {
    position = std::clamp(position, 0, maximum_);
    if (position != position_) {
        position_ = position;
        update();
        announceValue();
        emit positionChanged(position_);
    }
}

void Knob::setMaximum(int maximum) {
    maximum = std::max(maximum, 0);
    if (maximum != maximum_) {
        maximum_ = maximum;
        // The scale marks do not depend on the maximum, the marker's angle does.
        setPosition(std::min(position_, maximum_));
        update();
    }
}

void Knob::setPageStep(int step) {
    pageStep_ = std::max(step, 1);
}

void Knob::setFaceColor(const QColor& color) {
    if (color != faceColor_) {
        faceColor_ = color;
        refreshFace();
    }
}

void Knob::setMarkerColor(const QColor& color) {
    if (color != markerColor_) {
        markerColor_ = color;
        update();
    }
}

QSize Knob::sizeHint() const {
    return {72, 72};
}
QSize Knob::minimumSizeHint() const {
    return {32, 32};
}

QString Knob::accessibleValueText() const {
    return QString::number(position_);
}

std::optional<InstrumentWidget::AccessibleRange> Knob::accessibleRange() const {
    return AccessibleRange{double(position_), 0.0, double(maximum_), 1.0};
}

void Knob::setAccessibleValue(double value) {
    if (std::isfinite(value)) {
        moveByOperator(static_cast<int>(std::clamp(std::nearbyint(value), 0.0, double(maximum_))));
    }
}

void Knob::moveByOperator(int position) {
    position = std::clamp(position, 0, maximum_);
    if (position != position_) {
        setPosition(position);
        emit moved(position_);
    }
}

QPointF Knob::center() const {
    return QRectF(rect()).center();
}

double Knob::knobRadius() const {
    return std::min(width(), height()) / 2.0 * 0.78;
}

double Knob::angleOf(double position) const {
    const double fraction = maximum_ > 0 ? position / maximum_ : 0.0;
    return StartAngle - Sweep * fraction;
}

// --- painting ----------------------------------------------------------------------------------

void Knob::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    drawMarker(painter);
    drawFocus(painter);
}

void Knob::paintFace(QPainter& painter) {
    drawScale(painter);
    drawBody(painter);
}

void Knob::drawScale(QPainter& painter) const {
    const double outer = std::min(width(), height()) / 2.0 - 1.0;
    const double inner = knobRadius() + outer * 0.1;
    QPen pen(palette().color(QPalette::WindowText), std::max(1.0, outer * 0.03));
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    for (int i = 0; i < ScaleMarks; ++i) {
        const double angle = StartAngle - Sweep * i / (ScaleMarks - 1);
        const bool end = i == 0 || i == ScaleMarks - 1;
        painter.drawLine(polar(center(), end ? inner - outer * 0.04 : inner, angle),
                         polar(center(), outer, angle));
    }
}

void Knob::drawBody(QPainter& painter) const {
    const QPointF c = center();
    const double r = knobRadius();
    painter.setPen(Qt::NoPen);

    // Shadow under the knob, light from the top left.
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawEllipse(c + QPointF(r * 0.04, r * 0.07), r, r);

    // Skirt with grip notches.
    QRadialGradient skirt(c, r);
    skirt.setColorAt(0.8, faceColor_.darker(115));
    skirt.setColorAt(1.0, faceColor_.darker(170));
    painter.setBrush(skirt);
    painter.drawEllipse(c, r, r);
    painter.setPen(QPen(faceColor_.darker(190), std::max(1.0, r * 0.035)));
    for (int i = 0; i < GripNotches; ++i) {
        const double angle = 360.0 * i / GripNotches;
        painter.drawLine(polar(c, r * 0.84, angle), polar(c, r * 0.98, angle));
    }

    // Cap, lit from the top left.
    const double cap = r * 0.78;
    QLinearGradient light(c + QPointF(-cap, -cap), c + QPointF(cap, cap));
    light.setColorAt(0.0, faceColor_.lighter(140));
    light.setColorAt(1.0, faceColor_.darker(135));
    painter.setPen(QPen(faceColor_.darker(180), std::max(1.0, r * 0.025)));
    painter.setBrush(light);
    painter.drawEllipse(c, cap, cap);
}

void Knob::drawMarker(QPainter& painter) const {
    const QPointF c = center();
    const double r = knobRadius();
    const double angle = angleOf(position_);
    const QPointF from = polar(c, r * 0.3, angle);
    const QPointF to = polar(c, r * 0.68, angle);
    const double width = std::max(2.0, r * 0.13);
    // A dark rim keeps the marker visible when it has the colour of the face.
    painter.setPen(QPen(markerColor_.darker(200), width + 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.setPen(QPen(markerColor_, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
}

void Knob::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        const double side = std::min(width(), height());
        QRectF square(0, 0, side, side);
        square.moveCenter(center());
        drawFocusMark(painter, square, focusMarkWidth(*this));
    }
}

// --- operation ---------------------------------------------------------------------------------

void Knob::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    wheel_.reset();
    drag_ = Drag{event->position().toPoint(), StepAccumulator(DragPixels * FineDrag)};
}

void Knob::mouseMoveEvent(QMouseEvent* event) {
    if (!drag_) {
        return;
    }
    const QPoint point = event->position().toPoint();
    const QPoint moved = point - drag_->last;
    drag_->last = point;
    const int weight = event->modifiers().testFlag(Qt::ShiftModifier) ? 1 : FineDrag;
    const int steps = drag_->distance.add((moved.x() - moved.y()) * weight);
    // Past an end the surplus is dropped, so the knob turns back as soon as the mouse does.
    if (steps != 0) {
        moveByOperator(position_ + steps);
    }
}

void Knob::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !drag_) {
        event->ignore();
        return;
    }
    drag_.reset();
    emit released(position_);
}

void Knob::wheelEvent(QWheelEvent* event) {
    const int steps = wheel_.add(event->angleDelta().y());
    for (int i = 0; i < std::abs(steps); ++i) {
        moveByOperator(position_ + (steps > 0 ? 1 : -1));
    }
    event->accept();
}

void Knob::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Right:
            moveByOperator(position_ + 1);
            break;
        case Qt::Key_Down:
        case Qt::Key_Left:
            moveByOperator(position_ - 1);
            break;
        case Qt::Key_PageUp:
            moveByOperator(position_ + pageStep_);
            break;
        case Qt::Key_PageDown:
            moveByOperator(position_ - pageStep_);
            break;
        case Qt::Key_Home:
            moveByOperator(0);
            break;
        case Qt::Key_End:
            moveByOperator(maximum_);
            break;
        default:
            InstrumentWidget::keyPressEvent(event);
            break;
    }
}

void Knob::changeEvent(QEvent* event) {
    // Disabled in the middle of a drag: the drag is over, but the operator did not finish it.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        drag_.reset();
        wheel_.reset();
    }
    InstrumentWidget::changeEvent(event);
}

}  // namespace orvex
