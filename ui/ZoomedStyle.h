#pragma once

#include <QProxyStyle>

namespace orvex {

// The application's style with the handles of sliders and the indicators of option buttons
// scaled by the panel's zoom: the style draws them at fixed pixel sizes, which would look lost on
// a zoomed panel.
class ZoomedStyle : public QProxyStyle {
    Q_OBJECT

public:
    ZoomedStyle() = default;

    void setZoom(double zoom) { zoom_ = zoom; }
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

private:
    double zoom_ = 1.0;
};

}  // namespace orvex
