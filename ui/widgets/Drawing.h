#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>

class QPainter;

namespace orvex {

double radians(double degrees);
// The point `radius` from `center` at `degrees` anticlockwise from three o'clock (y grows down).
QPointF polar(QPointF center, double radius, double degrees);

// `a` moved towards `b` by `amount` (0 keeps a, 1 gives b).
QColor mixColors(const QColor& a, const QColor& b, qreal amount);
QColor bevelLight(const QColor& base);
QColor bevelDark(const QColor& base);

// A 3-D edge of `width` inside `rect`: light on the top and left, dark on the bottom and right
// (swap the colours for a sunken edge). Drawn as filled strips so it stays crisp at any scale.
void drawBevel(QPainter& painter, const QRectF& rect, qreal width, const QColor& light,
               const QColor& dark);

// `font`, made smaller if needed (never below two thirds) so that `text` fits `width`.
QFont fittedFont(const QFont& font, const QString& text, qreal width);

// The keyboard-focus mark: a dotted frame just inside `rect`.
void drawFocusFrame(QPainter& painter, const QRectF& rect, const QColor& color);

}  // namespace orvex
