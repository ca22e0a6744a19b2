#pragma once

#include <QColor>
#include <optional>

#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/StepAccumulator.h"

namespace orvex {

// A rotary knob with an integer position from 0 to a settable maximum, turned over 270 degrees.
// The operator drags it (up or right raises it, by distance: a few pixels a step, Shift for
// finer), turns the mouse wheel over it (one step per notch; touchpad scrolling adds up to
// notches) or uses the keys: arrows one step, Page Up/Down a page, Home/End the ends. As in Qwt,
// a move by the operator and a change of value are told apart: moved() and released() announce
// only what the operator does, positionChanged() every change of position, including one made
// from code.
class Knob : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(int position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int pageStep READ pageStep WRITE setPageStep)
    Q_PROPERTY(QColor faceColor READ faceColor WRITE setFaceColor)
    Q_PROPERTY(QColor markerColor READ markerColor WRITE setMarkerColor)

public:
    explicit Knob(QWidget* parent = nullptr);

    int position() const { return position_; }
    // Held to 0..maximum.
    void setPosition(int position);
    int maximum() const { return maximum_; }
    // At least 0; a position above the new maximum is lowered to it.
    void setMaximum(int maximum);
    int pageStep() const { return pageStep_; }
    void setPageStep(int step);
    QColor faceColor() const { return faceColor_; }
    void setFaceColor(const QColor& color);
    QColor markerColor() const { return markerColor_; }
    void setMarkerColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString accessibleValueText() const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::Dial; }
    std::optional<AccessibleRange> accessibleRange() const override;
    void setAccessibleValue(double value) override;

signals:
    // Every change of position made by the operator: each drag movement that changes it, each
    // wheel step, each key, each value set through assistive technology.
    void moved(int position);
    // Once when the operator lets go of the knob after pressing it with the mouse.
    void released(int position);
    // Every change of position, the operator's and those made from code (a new position or a
    // maximum below it).
    void positionChanged(int position);

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
    // A drag counts distance, never the mouse's angle: with 1200 positions over 270 degrees a
    // short drag round the knob would jump megahertz.
    struct Drag {
        QPoint last;
        StepAccumulator distance;
    };

    void moveByOperator(int position);
    QPointF center() const;
    double knobRadius() const;
    double angleOf(double position) const;

    void drawScale(QPainter& painter) const;
    void drawBody(QPainter& painter) const;
    void drawMarker(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;

    int position_ = 0;
    int maximum_ = 100;
    int pageStep_ = 10;
    QColor faceColor_{0xa0, 0xa0, 0xa0};
    QColor markerColor_{0xff, 0x00, 0x00};
    StepAccumulator wheel_;
    std::optional<Drag> drag_;
};

}  // namespace orvex
