#pragma once

#include <QColor>
#include <optional>

#include "core/WheelCodes.h"
#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/StepAccumulator.h"

namespace orvex {

// A vertical thumb wheel with no end stops and no value: it only reports that it was turned one
// step up or down. Dragging the mouse up or down rolls it (one step per `pixelsPerStep`), as do
// the mouse wheel (one step per notch; touchpad scrolling adds up to notches), the Up and Down
// keys, Page Up and Page Down (`pageStep` steps) and assistive technology's Increase and Decrease.
// Home and End ask for the bottom or the top of whatever it turns through: the wheel has no ends
// of its own, its owner has.
class ThumbWheel : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(QColor wheelColor READ wheelColor WRITE setWheelColor)
    Q_PROPERTY(int pixelsPerStep READ pixelsPerStep WRITE setPixelsPerStep)
    Q_PROPERTY(int pageStep READ pageStep WRITE setPageStep)

public:
    // The movement codes of turned().
    enum Code { Up = static_cast<int>(WheelCode::Up), Down = static_cast<int>(WheelCode::Down) };
    Q_ENUM(Code)

    explicit ThumbWheel(QWidget* parent = nullptr);

    QColor wheelColor() const { return wheelColor_; }
    void setWheelColor(const QColor& color);
    int pixelsPerStep() const { return pixelsPerStep_; }
    void setPixelsPerStep(int pixels);
    int pageStep() const { return pageStep_; }
    void setPageStep(int steps);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Up and down with no ends, as a spin box is.
    QAccessible::Role accessibleRole() const override { return QAccessible::SpinBox; }
    QStringList accessibleActions() const override;
    void doAccessibleAction(const QString& action) override;

signals:
    // One emission per step: Up (0) or Down (1).
    void turned(int code);
    // Home (Down) or End (Up): the operator asks for the bottom or the top.
    void endRequested(int code);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Drag {
        double originY = 0.0;
        int stepsTaken = 0;  // up positive
    };

    void turn(int steps);
    QRectF drumRect() const;

    void drawSlot(QPainter& painter) const;
    void drawDrum(QPainter& painter) const;
    void drawRidges(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;

    QColor wheelColor_{0x90, 0x90, 0x90};
    int pixelsPerStep_ = 6;
    int pageStep_ = 10;
    double rotation_ = 0.0;  // degrees the drum has turned up, for drawing the ridges
    StepAccumulator wheel_;
    std::optional<Drag> drag_;
};

}  // namespace orvex
