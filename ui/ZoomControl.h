#pragma once

#include <QObject>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <chrono>

#include "ui/PanelZoom.h"

namespace orvex {

// The operator's zoom of the panel window: the zoom commands set it and the window is sized to
// it, no larger than its screen holds, and kept on that screen. A resize by the operator takes the
// largest zoom that fits, keeping the panel's shape, and once the resizing stops the window
// settles on the panel's size at that zoom. The program itself never resizes the window otherwise.
class ZoomControl : public QObject {
    Q_OBJECT

public:
    // How long a free resize must rest before the window settles on the panel's shape: a drag
    // sends many resizes.
    static constexpr std::chrono::milliseconds SettleDelay{300};

    // Records `window` as built, at 100 %, its content `content` large.
    ZoomControl(QWidget& window, QSize content);

    double zoom() const { return zoom_.zoom(); }
    // Lays the window out at `zoom` (held to 100–300 % and to the screen) and sizes it to that.
    void setZoom(double zoom);
    // The window was resized to `size`, by the operator or by setZoom.
    void windowResized(QSize size);

signals:
    void zoomChanged(double zoom);

private:
    void layOut(double zoom);
    double largestOnScreen() const;
    void settle();

    QWidget& window_;
    PanelZoom zoom_;
    QTimer settling_;
};

}  // namespace orvex
