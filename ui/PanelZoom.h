#pragma once

#include <QFont>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "ui/ZoomedStyle.h"

namespace orvex {

// Lays a window's widgets out at a zoom of the layout they were built with (the panel's twips at
// 15 a pixel): every geometry and every font that the window or a widget in it sets is scaled,
// so each instrument draws itself afresh at the new size rather than being magnified. Labels too
// narrow for their text at the new font are widened, as the panel's labels are when built, and
// the handles of sliders and option buttons and the keyboard-focus mark grow with the rest
// (ZoomedStyle, which every widget of the window takes).
class PanelZoom {
public:
    static constexpr double Smallest = 1.0;
    static constexpr double Largest = 3.0;
    // The zooms that zooming in and out steps through.
    static constexpr std::array Steps{1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

    // Records `window` and every widget in it (other windows excepted) as laid out now, at
    // 100 %; `size` is what the window's content takes at 100 %.
    PanelZoom(QWidget& window, QSize size);

    double zoom() const { return zoom_; }
    // Lays everything out at `zoom`, held to Smallest..Largest.
    void apply(double zoom);
    // The window's content at `zoom`.
    QSize size(double zoom) const;

    static double clamped(double zoom);
    static double zoomedIn(double zoom);
    static double zoomedOut(double zoom);
    // `rect` at `zoom`, its edges rounded, so that neighbours stay neighbours.
    static QRect scaled(const QRect& rect, double zoom);

private:
    struct Recorded {
        QPointer<QWidget> widget;
        QRect geometry;
        std::optional<QFont> font;  // only when the widget sets one of its own
    };

    static QFont scaledFont(const QFont& font, double zoom);

    QWidget& window_;
    ZoomedStyle* style_;  // owned by the window, which outlives its widgets' use of it
    QSize size_;
    QFont windowFont_;
    std::vector<Recorded> widgets_;
    double zoom_ = 1.0;
};

}  // namespace orvex
