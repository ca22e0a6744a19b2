#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>
#include <optional>

#include "ui/widgets/FaceCache.h"
#include "ui/widgets/SpokenValue.h"

namespace orvex {

// Base of the instruments: keeps the static face in a cache and tells screen readers what the
// instrument is called and what it shows.
//
// A subclass paints its face in paintFace() and, in paintEvent(), calls drawFace() before the
// moving parts. Setters of properties the face shows call refreshFace(); setters of moving parts
// call update() only. A change of what the instrument shows calls announceValue().
class InstrumentWidget : public QWidget {
    Q_OBJECT

public:
    explicit InstrumentWidget(QWidget* parent = nullptr);

    // The numbers behind the value a screen reader announces, in the instrument's own units.
    struct AccessibleRange {
        double value = 0.0;
        double minimum = 0.0;
        double maximum = 0.0;
        double step = 0.0;
    };

    // The operator's words and units for the value, which the window gives.
    SpokenValue& spokenValue() { return spoken_; }
    const SpokenValue& spokenValue() const { return spoken_; }
    // What a screen reader says of the value: the window's words, else accessibleValueText().
    virtual QString spokenText() const;

    // Name: the caption when there is one; the window names the instruments that have none.
    virtual QString accessibleCaption() const { return {}; }
    // What the instrument shows, in its own terms ("137.500", "on").
    virtual QString accessibleValueText() const { return {}; }
    virtual QAccessible::Role accessibleRole() const { return QAccessible::Indicator; }
    // An instrument that only shows a value (a display, a meter): assistive technology cannot
    // set it, and it carries its reading in its name, which is what screen readers read of such
    // elements.
    virtual bool isReadout() const { return false; }
    // Set for instruments that show a number on a scale.
    virtual std::optional<AccessibleRange> accessibleRange() const { return std::nullopt; }
    // A value set through assistive technology, in the instrument's own units; only operable
    // instruments take it, as if the operator had moved them.
    virtual void setAccessibleValue(double value) { Q_UNUSED(value); }
    // Checkable and checked flags for switches.
    virtual void addAccessibleState(QAccessible::State& state) const { Q_UNUSED(state); }
    // What assistive technology may do besides setting the value ("Toggle", "Increase"), for as
    // long as the instrument is enabled.
    virtual QStringList accessibleActions() const { return {}; }
    virtual void doAccessibleAction(const QString& action) { Q_UNUSED(action); }

protected:
    void drawFace(QPainter& painter);
    virtual void paintFace(QPainter& painter) = 0;
    // A property the face shows has changed.
    void refreshFace();
    // Tells screen readers, once the panel is drawn, that what the instrument shows changed.
    void announceValue() { spoken_.changed(); }

    void changeEvent(QEvent* event) override;

private:
    FaceCache face_;
    SpokenValue spoken_{*this};
};

}  // namespace orvex
