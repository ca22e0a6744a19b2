#include "ui/widgets/InstrumentAccessible.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {
namespace {

class AccessibleInstrument : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleInstrument(InstrumentWidget* widget)
        : QAccessibleWidget(widget, widget->accessibleRole()) {}

    QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name:
                return widget()->accessibleName().isEmpty() ? instrument()->accessibleCaption()
                                                            : widget()->accessibleName();
            case QAccessible::Value:
                return instrument()->accessibleValueText();
            default:
                return QAccessibleWidget::text(kind);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State result = QAccessibleWidget::state();
        instrument()->addAccessibleState(result);
        return result;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface && instrument()->accessibleRange()) {
            return static_cast<QAccessibleValueInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return range().value; }
    void setCurrentValue(const QVariant& value) override {
        instrument()->setAccessibleValue(value.toDouble());
    }
    QVariant maximumValue() const override { return range().maximum; }
    QVariant minimumValue() const override { return range().minimum; }
    QVariant minimumStepSize() const override { return range().step; }

private:
    InstrumentWidget* instrument() const { return static_cast<InstrumentWidget*>(widget()); }
    InstrumentWidget::AccessibleRange range() const {
        return instrument()->accessibleRange().value_or(InstrumentWidget::AccessibleRange{});
    }
};

QAccessibleInterface* instrumentFactory(const QString& className, QObject* object) {
    Q_UNUSED(className);
    if (auto* instrument = qobject_cast<InstrumentWidget*>(object)) {
        return new AccessibleInstrument(instrument);
    }
    return nullptr;
}

}  // namespace

void installInstrumentAccessibility() {
    // Function-local so that the factory is added exactly once, by the first instrument built.
    static const bool installed = [] {
        QAccessible::installFactory(instrumentFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

}  // namespace orvex
