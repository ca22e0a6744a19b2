#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>

#include "ui/widgets/AccessibleAnnouncer.h"

namespace orvex {

// What a widget's value is to assistive technology: the value as the operator thinks of it, not
// as the widget counts it. The window that knows the receiver gives the words a screen reader
// says ("137.500 MHz", "volume 4 of 7") and the scale of the number behind them (spoken = offset
// + factor x the widget's own: a knob position becomes MHz); the widget reports every change of
// its own, and whatever changed is told once the panel is drawn.
class SpokenValue {
public:
    using Words = std::function<QString()>;
    struct Limits {
        double minimum = 0.0;
        double maximum = 0.0;
    };

    explicit SpokenValue(QWidget& widget, AccessibleAnnouncer::ToldByWidget own =
                                              AccessibleAnnouncer::ToldByWidget::Nothing)
        : announcer_(widget, own) {}

    // Words for the value, asked afresh whenever assistive technology reads it.
    void setWords(Words words);
    bool hasWords() const { return static_cast<bool>(words_); }
    QString words() const { return words_ ? words_() : QString(); }

    // A factor of 0 (or a scale that is not finite) is ignored.
    void setScale(double offset, double factor);
    double spoken(double own) const { return offset_ + factor_ * own; }
    double own(double spoken) const { return (spoken - offset_) / factor_; }
    double factor() const { return factor_; }

    // The ends of the spoken scale, for a widget whose own range does not give them (a display
    // shows a number but has no ends).
    void setLimits(Limits limits);
    std::optional<Limits> limits() const { return limits_; }

    // The widget's value, or anything else that the words read, changed.
    void changed() { announcer_.changed(); }

private:
    AccessibleAnnouncer announcer_;
    Words words_;
    double offset_ = 0.0;
    double factor_ = 1.0;
    std::optional<Limits> limits_;
};

}  // namespace orvex
