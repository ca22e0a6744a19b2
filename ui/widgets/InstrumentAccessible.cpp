#include "ui/widgets/InstrumentAccessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QMenu>
#include <algorithm>
#include <cmath>

#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/ReadOnlyAccessibleText.h"
#include "ui/widgets/Slider.h"

namespace orvex {
namespace {

constexpr const char* HiddenProperty = "orvexHiddenFromAssistiveTechnology";

using Range = InstrumentWidget::AccessibleRange;

// A widget's own range as assistive technology is told it: in the window's spoken scale, and held
// to the ends the window gives, as a meter's needle is drawn held to its scale.
Range spokenRange(const SpokenValue& spoken, const Range& own) {
    double low = spoken.spoken(own.minimum);
    double high = spoken.spoken(own.maximum);
    double value = spoken.spoken(own.value);
    if (const std::optional<SpokenValue::Limits> limits = spoken.limits()) {
        low = limits->minimum;
        high = limits->maximum;
        value = std::clamp(value, std::min(low, high), std::max(low, high));
    }
    return {value, std::min(low, high), std::max(low, high), own.step * std::abs(spoken.factor())};
}

// The value a screen reader sets, in the widget's own units; none when it is no number.
std::optional<double> ownValue(const SpokenValue& spoken, const QVariant& value) {
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number)) {
        return std::nullopt;
    }
    return spoken.own(number);
}

// What a container shows assistive technology: its child widgets but those hidden from it.
class ShownChildren {
public:
    explicit ShownChildren(const QWidget* container) {
        for (QObject* child : container->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget != nullptr && !widget->isWindow() &&
                qobject_cast<QMenu*>(widget) == nullptr &&
                !isHiddenFromAssistiveTechnology(*widget)) {
                widgets_.append(widget);
            }
        }
    }
    int count() const { return static_cast<int>(widgets_.size()); }
    QAccessibleInterface* at(int index) const {
        return index >= 0 && index < count()
                   ? QAccessible::queryAccessibleInterface(widgets_[index])
                   : nullptr;
    }
    int indexOf(const QAccessibleInterface* child) const {
        return child == nullptr
                   ? -1
                   : static_cast<int>(widgets_.indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> widgets_;
};

class AccessibleInstrument : public QAccessibleWidget,
                             public QAccessibleValueInterface,
                             public ReadOnlyAccessibleText {
public:
    explicit AccessibleInstrument(InstrumentWidget* widget)
        : QAccessibleWidget(widget, widget->accessibleRole()) {}

    using ReadOnlyAccessibleText::text;

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return name();
            case QAccessible::Value:
                return instrument()->spokenText();
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        instrument()->addAccessibleState(result);
        result.readOnly = instrument()->isReadout();
        return result;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && instrument()->accessibleRange()) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        if (type == QAccessible::TextInterface &&
            (instrument()->isReadout() || instrument()->spokenValue().hasWords())) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return range().value; }
    void setCurrentValue(const QVariant& value) override {
        const std::optional<double> own = ownValue(instrument()->spokenValue(), value);
        if (own && !instrument()->isReadout() && instrument()->isEnabled()) {
            instrument()->setAccessibleValue(*own);
        }
    }
    QVariant maximumValue() const override { return range().maximum; }
    QVariant minimumValue() const override { return range().minimum; }
    QVariant minimumStepSize() const override { return range().step; }

    QString wholeText() const override { return instrument()->spokenText(); }

    QStringList actionNames() const override {
        const QStringList own =
            instrument()->isEnabled() ? instrument()->accessibleActions() : QStringList();
        return own + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (instrument()->isEnabled() && instrument()->accessibleActions().contains(action)) {
            instrument()->doAccessibleAction(action);
        } else {
            QAccessibleWidget::doAction(action);
        }
    }

    int childCount() const override { return ShownChildren(widget()).count(); }
    QAccessibleInterface* child(int index) const override {
        return ShownChildren(widget()).at(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return ShownChildren(widget()).indexOf(child);
    }

private:
    InstrumentWidget* instrument() const { return static_cast<InstrumentWidget*>(widget()); }

    Range range() const {
        return spokenRange(instrument()->spokenValue(),
                           instrument()->accessibleRange().value_or(Range{}));
    }

    // The window's name, else the caption; a readout adds what it reads.
    QString name() const {
        const QString given = widget()->accessibleName().isEmpty()
                                  ? instrument()->accessibleCaption()
                                  : widget()->accessibleName();
        const QString reading = instrument()->isReadout() ? instrument()->spokenText() : QString();
        if (reading.isEmpty() || given.isEmpty()) {
            return given.isEmpty() ? reading : given;
        }
        return given + QStringLiteral(", ") + reading;
    }
};

class AccessibleSlider : public QAccessibleWidget,
                         public QAccessibleValueInterface,
                         public ReadOnlyAccessibleText {
public:
    explicit AccessibleSlider(Slider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {}

    using ReadOnlyAccessibleText::text;

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? wholeText() : QAccessibleWidget::text(kind);
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        if (type == QAccessible::TextInterface && slider()->spokenValue().hasWords()) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return range().value; }
    void setCurrentValue(const QVariant& value) override {
        const std::optional<double> own = ownValue(slider()->spokenValue(), value);
        if (own && slider()->isEnabled()) {
            // The default rounding mode rounds halves to even, as the rest of the panel does.
            slider()->setValue(static_cast<int>(std::clamp(
                std::nearbyint(*own), double(slider()->minimum()), double(slider()->maximum()))));
        }
    }
    QVariant maximumValue() const override { return range().maximum; }
    QVariant minimumValue() const override { return range().minimum; }
    QVariant minimumStepSize() const override { return range().step; }

    QString wholeText() const override {
        return slider()->spokenValue().hasWords() ? slider()->spokenValue().words()
                                                  : QString::number(slider()->value());
    }

private:
    Slider* slider() const { return static_cast<Slider*>(widget()); }

    Range range() const {
        return spokenRange(slider()->spokenValue(),
                           Range{double(slider()->value()), double(slider()->minimum()),
                                 double(slider()->maximum()), double(slider()->singleStep())});
    }
};

QAccessibleInterface* widgetFactory(const QString& className, QObject* object) {
    Q_UNUSED(className);
    if (auto* instrument = qobject_cast<InstrumentWidget*>(object)) {
        return new AccessibleInstrument(instrument);
    }
    if (auto* slider = qobject_cast<Slider*>(object)) {
        return new AccessibleSlider(slider);
    }
    return nullptr;
}

}  // namespace

void installWidgetAccessibility() {
    // Qt keeps a factory once, however often it is installed.
    QAccessible::installFactory(widgetFactory);
}

void hideFromAssistiveTechnology(QWidget& widget) {
    widget.setProperty(HiddenProperty, true);
}

bool isHiddenFromAssistiveTechnology(const QWidget& widget) {
    return widget.property(HiddenProperty).toBool();
}

}  // namespace orvex
