#pragma once

class QMenu;
class QWidget;

namespace orvex {

// Shift+F10 and the Menu key open `menu` at the control that has the keyboard focus (at the
// middle of `window` when none has), as the right mouse button opens it where the mouse is.
void bindMenuKeys(QWidget& window, QMenu& menu);

}  // namespace orvex
