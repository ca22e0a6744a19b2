#include "ui/ZoomControl.h"

#include <algorithm>

#include "ui/ScreenFit.h"

namespace orvex {

ZoomControl::ZoomControl(QWidget& window, QSize content)
    : QObject(&window), window_(window), zoom_(window, content) {
    window_.setMinimumSize(zoom_.size(PanelZoom::Smallest));
    window_.setMaximumSize(zoom_.size(PanelZoom::Largest));
    window_.resize(zoom_.size(PanelZoom::Smallest));
    settling_.setSingleShot(true);
    settling_.setInterval(SettleDelay);
    connect(&settling_, &QTimer::timeout, this, &ZoomControl::settle);
}

void ZoomControl::setZoom(double zoom) {
    layOut(std::min(zoom, largestOnScreen()));
    settle();
}

// The window's frame (title bar and borders) takes its share of the screen too.
double ZoomControl::largestOnScreen() const {
    const QRect screen = availableArea(window_);
    if (screen.isEmpty()) {
        return PanelZoom::Largest;
    }
    const QSize frame = window_.frameGeometry().size() - window_.size();
    const QSize actual = zoom_.size(PanelZoom::Smallest);
    return std::max(PanelZoom::Smallest,
                    std::min(double(screen.width() - frame.width()) / actual.width(),
                             double(screen.height() - frame.height()) / actual.height()));
}

void ZoomControl::windowResized(QSize size) {
    if (size == zoom_.size(zoom())) {
        settling_.stop();
        return;
    }
    const QSize actual = zoom_.size(PanelZoom::Smallest);
    layOut(
        std::min(double(size.width()) / actual.width(), double(size.height()) / actual.height()));
    settling_.start();
}

void ZoomControl::layOut(double zoom) {
    if (PanelZoom::clamped(zoom) == this->zoom()) {
        return;
    }
    zoom_.apply(zoom);
    emit zoomChanged(this->zoom());
}

// The window takes the panel's size at the zoom in force and moves as little as it must to stay
// on its screen.
void ZoomControl::settle() {
    window_.resize(zoom_.size(zoom()));
    const QRect screen = availableArea(window_);
    if (!window_.isVisible() || screen.isEmpty()) {
        return;
    }
    const QSize frame = window_.frameGeometry().size() - window_.size();
    const QRect kept =
        keptOn(QRect(window_.frameGeometry().topLeft(), window_.size() + frame), screen);
    if (kept.topLeft() != window_.frameGeometry().topLeft()) {
        window_.move(kept.topLeft());
    }
}

}  // namespace orvex
