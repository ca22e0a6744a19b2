#pragma once

// Operator input and rendering for the widget tests.

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QWidget>

#include "support/Gestures.h"

namespace orvex::test {

// The first argument of every emission, in order.
inline QList<int> intArguments(const QSignalSpy& spy) {
    QList<int> values;
    for (const QList<QVariant>& arguments : spy) {
        values.append(arguments.at(0).toInt());
    }
    return values;
}

// The widget as it looks, on a backdrop of `backdrop` where it is transparent.
inline QImage rendered(QWidget* widget, qreal ratio = 1.0, QColor backdrop = Qt::magenta) {
    QImage image((QSizeF(widget->size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(backdrop);
    QPainter painter(&image);
    widget->render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

inline QAccessibleInterface* accessible(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

}  // namespace orvex::test
