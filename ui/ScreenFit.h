#pragma once

#include <QRect>
#include <QWidget>

namespace orvex {

// `frame` moved as little as it takes to lie inside `screen`; one larger than the screen keeps
// its top left corner on it, where the title bar is.
QRect keptOn(const QRect& frame, const QRect& screen);

// The screen area `widget` may take (without panels and docks): that of the screen it is on.
QRect availableArea(const QWidget& widget);

// Puts `window` with its centre on the centre of `panel`, inside the panel's screen.
void centreOn(QWidget& window, const QWidget& panel);

}  // namespace orvex
