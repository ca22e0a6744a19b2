#include "ui/widgets/AccessibleAnnouncer.h"

#include <QAccessible>
#include <QWidget>

namespace orvex {

void AccessibleAnnouncer::changed() {
    if (pending_ || !QAccessible::isActive()) {
        return;
    }
    pending_ = true;
    // The widget is the context: a check still queued when it goes is dropped with it.
    QMetaObject::invokeMethod(
        &widget_, [this] { tell(); }, Qt::QueuedConnection);
}

void AccessibleAnnouncer::tell() {
    pending_ = false;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&widget_);
    if (face == nullptr) {
        return;
    }
    if (const QString name = face->text(QAccessible::Name);
        name != name_ && own_ != ToldByWidget::Name) {
        name_ = name;
        QAccessibleEvent event(&widget_, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
    if (QAccessibleTextInterface* text = face->textInterface()) {
        if (const QString now = text->text(0, text->characterCount()); now != text_) {
            QAccessibleTextUpdateEvent event(&widget_, 0, text_, now);
            text_ = now;
            QAccessible::updateAccessibility(&event);
        }
    }
    if (QAccessibleValueInterface* value = face->valueInterface();
        value != nullptr && own_ != ToldByWidget::Value) {
        if (const QVariant now = value->currentValue(); now != value_) {
            value_ = now;
            QAccessibleValueChangeEvent event(&widget_, now);
            QAccessible::updateAccessibility(&event);
        }
    }
}

}  // namespace orvex
