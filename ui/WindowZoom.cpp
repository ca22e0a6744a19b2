#include "ui/WindowZoom.h"

#include <QWidget>

namespace orvex {

WindowZoom::WindowZoom(const QWidget& window)
    : size_(window.sizeHint()), fontPoints_(window.font().pointSizeF()) {}

void WindowZoom::apply(QWidget& window, double zoom) const {
    QFont zoomed = window.font();
    zoomed.setPointSizeF(fontPoints_ * zoom);
    window.setFont(zoomed);
    window.resize(size_ * zoom);
}

}  // namespace orvex
