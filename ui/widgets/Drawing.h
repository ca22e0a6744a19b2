#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QStyle>

class QPainter;
class QWidget;

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

// The width of the keyboard-focus mark, asked of the widget's style (a zoomed panel's style
// answers it at its zoom): never under MinimumFocusMark pixels.
inline constexpr int MinimumFocusMark = 2;
inline constexpr auto FocusMarkMetric = QStyle::PixelMetric(QStyle::PM_CustomBase + 1);
int focusMarkWidth(const QWidget& widget);

// The keyboard-focus mark just inside `rect`: a dark ring `width` wide, edged outside by a light
// one half as wide. Whatever the colour of the face beneath, one of the two stands out from it.
void drawFocusMark(QPainter& painter, const QRectF& rect, int width);

}  // namespace orvex
