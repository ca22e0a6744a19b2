#include "ui/widgets/InstrumentWidget.h"

#include <QEvent>
#include <QPainter>

#include "ui/widgets/InstrumentAccessible.h"

namespace orvex {

InstrumentWidget::InstrumentWidget(QWidget* parent) : QWidget(parent) {
    installInstrumentAccessibility();
}

void InstrumentWidget::drawFace(QPainter& painter) {
    face_.draw(painter, size(), [this](QPainter& facePainter) {
        facePainter.setFont(font());
        paintFace(facePainter);
    });
}

void InstrumentWidget::refreshFace() {
    face_.invalidate();
    update();
}

void InstrumentWidget::announceValue() {
    if (!QAccessible::isActive()) {
        return;
    }
    const auto range = accessibleRange();
    QAccessibleValueChangeEvent event(
        this, range ? QVariant(range->value) : QVariant(accessibleValueText()));
    QAccessible::updateAccessibility(&event);
}

void InstrumentWidget::changeEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::StyleChange:
        case QEvent::PaletteChange:
        case QEvent::FontChange:
        case QEvent::EnabledChange:
            refreshFace();
            break;
        default:
            break;
    }
    QWidget::changeEvent(event);
}

}  // namespace orvex
