#include "ui/ZoomedStyle.h"

#include <QStyleOption>
#include <cmath>

#include "ui/widgets/Drawing.h"

namespace orvex {

int ZoomedStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
    if (metric == FocusMarkMetric) {
        return static_cast<int>(std::lround(MinimumFocusMark * zoom_));
    }
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

void ZoomedStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        drawFocusMark(*painter, option->rect, pixelMetric(FocusMarkMetric, option, widget));
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// The style marks a focused button or slider in its own faint way, if at all: the mark goes
// round it.
void ZoomedStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && option->state.testFlag(State_HasFocus)) {
        drawFocusMark(*painter, option->rect, pixelMetric(FocusMarkMetric, option, widget));
    }
}

void ZoomedStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_Slider && option->state.testFlag(State_HasFocus)) {
        drawFocusMark(*painter, option->rect, pixelMetric(FocusMarkMetric, option, widget));
    }
}

}  // namespace orvex
