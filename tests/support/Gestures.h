#pragma once

// The operator's hand on a widget, for the tests that drive widgets and the panel.

#include <QApplication>
#include <QPointF>
#include <QWheelEvent>
#include <QWidget>

namespace orvex::test {

// One wheel event at `at` in `widget`: 120 is a mouse notch, touchpads send less.
inline void turnWheel(QWidget* widget, int delta, QPointF at) {
    QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// One wheel event over the middle of `widget`.
inline void turnWheel(QWidget* widget, int delta) {
    turnWheel(widget, delta, QRectF(widget->rect()).center());
}

}  // namespace orvex::test
