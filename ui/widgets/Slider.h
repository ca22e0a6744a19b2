#pragma once

#include <QSlider>

#include "ui/widgets/SpokenValue.h"

namespace orvex {

// The panel's slider: Qt's own, with its value spoken to assistive technology in the words and
// units the window gives (SpokenValue) instead of as a bare position.
class Slider : public QSlider {
    Q_OBJECT

public:
    explicit Slider(QWidget* parent = nullptr);

    SpokenValue& spokenValue() { return spoken_; }
    const SpokenValue& spokenValue() const { return spoken_; }

protected:
    void sliderChange(SliderChange change) override;

private:
    // Qt's slider tells value changes itself; the words and the name follow here.
    SpokenValue spoken_{*this, AccessibleAnnouncer::ToldByWidget::Value};
};

}  // namespace orvex
