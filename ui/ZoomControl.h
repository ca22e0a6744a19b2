#pragma once

#include <QObject>
#include <QSize>
#include <QWidget>

#include "ui/PanelZoom.h"

namespace orvex {

// The operator's zoom of the panel window: the zoom commands set it and the window is sized to
// it; a resize by the operator takes the largest zoom that fits, keeping the panel's shape (the
// rest of the window stays panel grey). The program itself never resizes the window otherwise.
class ZoomControl : public QObject {
    Q_OBJECT

public:
    // Records `window` as built, at 100 %, its content `content` large.
    ZoomControl(QWidget& window, QSize content);

    double zoom() const { return zoom_.zoom(); }
    // Lays the window out at `zoom` (held to 100–300 %) and sizes it to that.
    void setZoom(double zoom);
    // The window was resized to `size`, by the operator or by setZoom.
    void windowResized(QSize size);

signals:
    void zoomChanged(double zoom);

private:
    void layOut(double zoom);

    QWidget& window_;
    PanelZoom zoom_;
};

}  // namespace orvex
