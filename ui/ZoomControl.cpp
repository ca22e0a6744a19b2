#include "ui/ZoomControl.h"

#include <algorithm>

namespace orvex {

ZoomControl::ZoomControl(QWidget& window, QSize content)
    : QObject(&window), window_(window), zoom_(window, content) {
    window_.setMinimumSize(zoom_.size(PanelZoom::Smallest));
    window_.setMaximumSize(zoom_.size(PanelZoom::Largest));
    window_.resize(zoom_.size(PanelZoom::Smallest));
}

void ZoomControl::setZoom(double zoom) {
    layOut(zoom);
    window_.resize(zoom_.size(this->zoom()));
}

void ZoomControl::windowResized(QSize size) {
    if (size == zoom_.size(zoom())) {
        return;
    }
    const QSize actual = zoom_.size(PanelZoom::Smallest);
    layOut(
        std::min(double(size.width()) / actual.width(), double(size.height()) / actual.height()));
}

void ZoomControl::layOut(double zoom) {
    if (PanelZoom::clamped(zoom) == this->zoom()) {
        return;
    }
    zoom_.apply(zoom);
    emit zoomChanged(this->zoom());
}

}  // namespace orvex
