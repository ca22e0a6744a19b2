#pragma once

#include <QProxyStyle>

namespace orvex {

// The application's style at the panel's zoom: the handles of sliders and the indicators of
// option buttons scaled with it (the style draws them at fixed pixel sizes, which would look lost
// on a zoomed panel), and the panel's own keyboard-focus mark, at least 2 pixels at 100 % and
// growing with the zoom, in place of the style's faint one. The instruments ask it the mark's
// width too, so that every control shows focus alike.
class ZoomedStyle : public QProxyStyle {
    Q_OBJECT

public:
    ZoomedStyle() = default;

    void setZoom(double zoom) { zoom_ = zoom; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;

private:
    double zoom_ = 1.0;
};

}  // namespace orvex
