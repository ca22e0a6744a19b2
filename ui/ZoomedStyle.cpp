#include "ui/ZoomedStyle.h"

#include <cmath>

namespace orvex {

int ZoomedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
        case PM_SliderThickness:
        case PM_SliderControlThickness:
        case PM_SliderLength:
        case PM_SliderTickmarkOffset:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight:
            return static_cast<int>(std::lround(size * zoom_));
        default:
            return size;
    }
}

}  // namespace orvex
