#include "ui/widgets/ToggleSwitch.h"

#include <QAccessibleActionInterface>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

constexpr double LampHeight = 0.15;  // of the switch's height
constexpr double Frame = 1.0;        // dark outer frame
constexpr double Bevel = 1.0;

}  // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent) : InstrumentWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void ToggleSwitch::setOn(bool on) {
    if (on != on_) {
        on_ = on;
        refreshFace();
        if (QAccessible::isActive()) {
            QAccessible::State changed;
            changed.checked = true;
            QAccessibleStateChangeEvent event(this, changed);
            QAccessible::updateAccessibility(&event);
        }
        emit onChanged(on_);
    }
}

void ToggleSwitch::setOffCaption(const QString& caption) {
    if (caption != offCaption_) {
        offCaption_ = caption;
        refreshFace();
    }
}

void ToggleSwitch::setOnCaption(const QString& caption) {
    if (caption != onCaption_) {
        onCaption_ = caption;
        refreshFace();
    }
}

void ToggleSwitch::setCaption(const QString& caption) {
    setOffCaption(caption);
    setOnCaption(caption);
}

void ToggleSwitch::setOffLampColor(const QColor& color) {
    if (color != offLampColor_) {
        offLampColor_ = color;
        refreshFace();
    }
}

void ToggleSwitch::setOnLampColor(const QColor& color) {
    if (color != onLampColor_) {
        onLampColor_ = color;
        refreshFace();
    }
}

void ToggleSwitch::setPictureMode(bool pictureMode) {
    if (pictureMode != pictureMode_) {
        pictureMode_ = pictureMode;
        refreshFace();
    }
}

QSize ToggleSwitch::sizeHint() const {
    if (pictureMode_) {
        return {40, 36};
    }
    const QFontMetrics metrics(font());
    const int text =
        std::max(metrics.horizontalAdvance(offCaption_), metrics.horizontalAdvance(onCaption_));
    return {std::max(text + 12, 32), std::max(17, metrics.height() + 8)};
}

QSize ToggleSwitch::minimumSizeHint() const {
    return {16, 12};
}

QString ToggleSwitch::accessibleCaption() const {
    if (offCaption_.isEmpty() && onCaption_.isEmpty()) {
        return objectName();
    }
    if (offCaption_ == onCaption_ || onCaption_.isEmpty()) {
        return offCaption_;
    }
    if (offCaption_.isEmpty()) {
        return onCaption_;
    }
    return offCaption_ + QStringLiteral(" / ") + onCaption_;
}

QString ToggleSwitch::accessibleValueText() const {
    if (offCaption_ != onCaption_ && !caption().isEmpty()) {
        return caption();
    }
    return on_ ? QStringLiteral("on") : QStringLiteral("off");
}

void ToggleSwitch::addAccessibleState(QAccessible::State& state) const {
    state.checkable = true;
    state.checked = on_;
}

QStringList ToggleSwitch::accessibleActions() const {
    return {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()};
}

void ToggleSwitch::doAccessibleAction(const QString& action) {
    Q_UNUSED(action);
    click();
}

void ToggleSwitch::click() {
    if (isEnabled()) {
        toggleByOperator();
    }
}

void ToggleSwitch::toggleByOperator() {
    setOn(!on_);
    emit switched(on_);
}

void ToggleSwitch::setPressed(bool pressed) {
    if (pressed != pressed_) {
        pressed_ = pressed;
        update();
    }
}

QRectF ToggleSwitch::lampRect() const {
    const double inset = Frame + Bevel;
    const double lampHeight = std::max(2.0, std::round(height() * LampHeight));
    return QRectF(inset, inset, width() - 2 * inset, lampHeight);
}

QRectF ToggleSwitch::pictureRect() const {
    const double side = std::max(1, std::min(width(), height()) - 2);
    QRectF square(0, 0, side, side);
    square.moveCenter(QRectF(rect()).center());
    return square;
}

// --- painting ----------------------------------------------------------------------------------

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawFace(painter);
    drawPressed(painter);
    drawFocus(painter);
}

void ToggleSwitch::paintFace(QPainter& painter) {
    if (pictureMode_) {
        drawPicture(painter);
        return;
    }
    drawBody(painter);
    drawLamp(painter);
    drawCaption(painter);
}

void ToggleSwitch::drawBody(QPainter& painter) const {
    const QColor button = palette().color(QPalette::Button);
    const QRectF outer(rect());
    painter.fillRect(outer, palette().color(QPalette::Shadow));
    const QRectF face = outer.adjusted(Frame, Frame, -Frame, -Frame);
    // In while on: a little darker, lit from the other side.
    painter.fillRect(face, on_ ? button.darker(108) : button);
    if (on_) {
        drawBevel(painter, face, Bevel, bevelDark(button), bevelLight(button));
    } else {
        drawBevel(painter, face, Bevel, bevelLight(button), bevelDark(button));
    }
}

void ToggleSwitch::drawLamp(QPainter& painter) const {
    const QRectF lamp = lampRect();
    painter.fillRect(lamp, lampColor());
    // A thin shade along the bottom makes it read as a lens; too thin a lamp would lose its colour.
    if (lamp.height() >= 3) {
        painter.fillRect(QRectF(lamp.left(), lamp.bottom() - 1, lamp.width(), 1),
                         lampColor().darker(140));
    }
}

void ToggleSwitch::drawCaption(QPainter& painter) const {
    const QRectF lamp = lampRect();
    const double shift = on_ ? 1.0 : 0.0;  // the caption goes in with the switch
    const QRectF area(lamp.left(), lamp.bottom(), lamp.width(),
                      height() - Frame - Bevel - lamp.bottom());
    const QFont font = fittedFont(painter.font(), caption(), area.width());
    const QFontMetricsF metrics(font);
    // Capitals centred in the space under the lamp; descenders may reach into the edge.
    const QPointF baseline(area.center().x() - metrics.horizontalAdvance(caption()) / 2,
                           area.center().y() + metrics.capHeight() / 2);
    painter.setFont(font);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(baseline + QPointF(shift, shift), caption());
}

void ToggleSwitch::drawPicture(QPainter& painter) const {
    // A round power push button in a square bezel; in while on, its symbol lit.
    const QRectF square = pictureRect();
    const double side = square.width();
    const QPointF c = square.center();

    QLinearGradient bezel(square.topLeft(), square.bottomRight());
    bezel.setColorAt(0.0, QColor(0x70, 0x70, 0x70));
    bezel.setColorAt(1.0, QColor(0x20, 0x20, 0x20));
    painter.setPen(QPen(QColor(0x10, 0x10, 0x10), 1.0));
    painter.setBrush(bezel);
    painter.drawRoundedRect(square.adjusted(0.5, 0.5, -0.5, -0.5), side * 0.15, side * 0.15);

    const double radius = side * (on_ ? 0.34 : 0.37);
    QLinearGradient cap(c - QPointF(radius, radius), c + QPointF(radius, radius));
    cap.setColorAt(0.0, on_ ? QColor(0x28, 0x28, 0x28) : QColor(0x68, 0x68, 0x68));
    cap.setColorAt(1.0, on_ ? QColor(0x48, 0x48, 0x48) : QColor(0x30, 0x30, 0x30));
    painter.setPen(QPen(QColor(0x08, 0x08, 0x08), std::max(1.0, side * 0.03)));
    painter.setBrush(cap);
    painter.drawEllipse(c, radius, radius);

    const QColor lamp = lampColor();
    if (on_) {
        QRadialGradient glow(c, radius);
        glow.setColorAt(0.0, QColor(lamp.red(), lamp.green(), lamp.blue(), 110));
        glow.setColorAt(1.0, QColor(lamp.red(), lamp.green(), lamp.blue(), 0));
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(c, radius, radius);
    }
    const double symbol = side * 0.17;
    painter.setPen(QPen(lamp, std::max(1.5, side * 0.065), Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    const QRectF ring(c - QPointF(symbol, symbol), QSizeF(2 * symbol, 2 * symbol));
    painter.drawArc(ring, 120 * 16, -300 * 16);  // open at the top
    painter.drawLine(c - QPointF(0, symbol * 1.25), c - QPointF(0, symbol * 0.2));
}

void ToggleSwitch::drawPressed(QPainter& painter) const {
    if (pressed_) {
        painter.fillRect(QRectF(rect()).adjusted(Frame, Frame, -Frame, -Frame),
                         QColor(0, 0, 0, 40));
    }
}

void ToggleSwitch::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, pictureMode_ ? pictureRect() : QRectF(rect()),
                      focusMarkWidth(*this));
    }
}

// --- operation ---------------------------------------------------------------------------------

void ToggleSwitch::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setPressed(true);
}

void ToggleSwitch::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        setPressed(rect().contains(event->position().toPoint()));
    }
}

void ToggleSwitch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // Released outside: the operator changed their mind.
    const bool inside = pressed_ && rect().contains(event->position().toPoint());
    setPressed(false);
    if (inside) {
        toggleByOperator();
    }
}

void ToggleSwitch::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter) {
        InstrumentWidget::keyPressEvent(event);
    } else if (!event->isAutoRepeat()) {  // a held key switches once
        toggleByOperator();
    }
}

void ToggleSwitch::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        setPressed(false);
    }
    InstrumentWidget::changeEvent(event);
}

}  // namespace orvex
