#include "ui/widgets/InstrumentWidget.h"

#include <QEvent>
#include <QPainter>

#include "ui/widgets/InstrumentAccessible.h"

namespace orvex {

InstrumentWidget::InstrumentWidget(QWidget* parent) : QWidget(parent) {
    installWidgetAccessibility();
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

QString InstrumentWidget::spokenText() const {
    return spoken_.hasWords() ? spoken_.words() : accessibleValueText();
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
