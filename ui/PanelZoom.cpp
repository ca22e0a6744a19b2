#include "ui/PanelZoom.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

namespace orvex {

PanelZoom::PanelZoom(QWidget& window, QSize size)
    : window_(window), style_(new ZoomedStyle), size_(size), windowFont_(window.font()) {
    style_->setParent(&window);
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window) {
            continue;  // a menu or another window of its own
        }
        widget->setStyle(style_);
        std::optional<QFont> font;
        if (widget->testAttribute(Qt::WA_SetFont)) {
            font = widget->font();
        }
        widgets_.push_back({widget, widget->geometry(), font});
    }
}

double PanelZoom::clamped(double zoom) {
    return std::isfinite(zoom) ? std::clamp(zoom, Smallest, Largest) : Smallest;
}

double PanelZoom::zoomedIn(double zoom) {
    const auto next = std::find_if(Steps.begin(), Steps.end(),
                                   [zoom](double step) { return step > zoom + 1e-6; });
    return next == Steps.end() ? Largest : *next;
}

double PanelZoom::zoomedOut(double zoom) {
    const auto next = std::find_if(Steps.rbegin(), Steps.rend(),
                                   [zoom](double step) { return step < zoom - 1e-6; });
    return next == Steps.rend() ? Smallest : *next;
}

QRect PanelZoom::scaled(const QRect& rect, double zoom) {
    const auto at = [zoom](int coordinate) {
        return static_cast<int>(std::lround(coordinate * zoom));
    };
    const int left = at(rect.left());
    const int top = at(rect.top());
    return {left, top, at(rect.left() + rect.width()) - left, at(rect.top() + rect.height()) - top};
}

QSize PanelZoom::size(double zoom) const {
    return scaled(QRect(QPoint(0, 0), size_), clamped(zoom)).size();
}

QFont PanelZoom::scaledFont(const QFont& font, double zoom) {
    QFont scaled = font;
    if (font.pixelSize() > 0) {
        scaled.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * zoom))));
    } else {
        scaled.setPointSizeF(font.pointSizeF() * zoom);
    }
    return scaled;
}

void PanelZoom::apply(double zoom) {
    zoom_ = clamped(zoom);
    style_->setZoom(zoom_);
    // The window's font first: the widgets without a font of their own follow it.
    window_.setFont(scaledFont(windowFont_, zoom_));
    for (const Recorded& recorded : widgets_) {
        if (recorded.widget == nullptr) {
            continue;
        }
        if (recorded.font) {
            recorded.widget->setFont(scaledFont(*recorded.font, zoom_));
        }
        QRect geometry = scaled(recorded.geometry, zoom_);
        // Font sizes do not scale exactly with the pixels: never cut a caption short.
        if (auto* label = qobject_cast<QLabel*>(recorded.widget.data());
            label != nullptr && !label->wordWrap() &&
            label->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
            geometry.setWidth(std::max(geometry.width(), label->sizeHint().width()));
        }
        recorded.widget->setGeometry(geometry);
    }
}

}  // namespace orvex
