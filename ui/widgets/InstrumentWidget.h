#pragma once

#include <QAccessible>
#include <QWidget>
#include <optional>

#include "ui/widgets/FaceCache.h"

namespace orvex {

// Base of the instruments: keeps the static face in a cache and tells screen readers what the
// instrument is called and what it shows.
//
// A subclass paints its face in paintFace() and, in paintEvent(), calls drawFace() before the
// moving parts. Setters of properties the face shows call refreshFace(); setters of moving parts
// call update() only.
class InstrumentWidget : public QWidget {
    Q_OBJECT

public:
    explicit InstrumentWidget(QWidget* parent = nullptr);

    // The numbers behind the value a screen reader announces.
    struct AccessibleRange {
        double value = 0.0;
        double minimum = 0.0;
        double maximum = 0.0;
        double step = 0.0;
    };

    // Name: the caption when there is one, else the object name.
    virtual QString accessibleCaption() const { return objectName(); }
    // What the instrument shows, in words ("137.500", "on").
    virtual QString accessibleValueText() const { return {}; }
    virtual QAccessible::Role accessibleRole() const { return QAccessible::Indicator; }
    // Set for instruments that show a number on a scale.
    virtual std::optional<AccessibleRange> accessibleRange() const { return std::nullopt; }
    // A value set through assistive technology; only operable instruments take it, as if the
    // operator had moved them.
    virtual void setAccessibleValue(double value) { Q_UNUSED(value); }
    // Checkable and checked flags for switches.
    virtual void addAccessibleState(QAccessible::State& state) const { Q_UNUSED(state); }

protected:
    void drawFace(QPainter& painter);
    virtual void paintFace(QPainter& painter) = 0;
    // A property the face shows has changed.
    void refreshFace();
    // Tells screen readers that the value text changed.
    void announceValue();

    void changeEvent(QEvent* event) override;

private:
    FaceCache face_;
};

}  // namespace orvex
