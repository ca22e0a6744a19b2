#include "ui/widgets/Slider.h"

#include "ui/widgets/InstrumentAccessible.h"

namespace orvex {

Slider::Slider(QWidget* parent) : QSlider(parent) {
    installWidgetAccessibility();
}

void Slider::sliderChange(SliderChange change) {
    QSlider::sliderChange(change);
    if (change == SliderValueChange || change == SliderRangeChange) {
        spoken_.changed();
    }
}

}  // namespace orvex
