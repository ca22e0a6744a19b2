#include "ui/KeyTable.h"

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "ui/widgets/ToggleSwitch.h"

namespace orvex {
namespace {

QWidget* control(QWidget& window, std::string_view name) {
    return window.findChild<QWidget*>(QString::fromUtf8(name.data(), name.size()));
}

// A click as the operator's own: a disabled control ignores it.
void click(QWidget* widget) {
    if (auto* toggle = qobject_cast<ToggleSwitch*>(widget)) {
        toggle->click();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->click();
    }
}

}  // namespace

void bindControlKeys(QWidget& window) {
    for (const ControlKey& key : ControlKeys) {
        QWidget* target = control(window, key.control);
        if (target == nullptr) {
            continue;
        }
        auto* action =
            new QAction(QString::fromUtf8(key.action.data(), key.action.size()), &window);
        action->setShortcut(QKeySequence(QString::fromUtf8(key.keys.data(), key.keys.size())));
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, target, [target] { click(target); });
        window.addAction(action);
    }
}

void orderTabs(QWidget& window) {
    QWidget* previous = nullptr;
    for (std::string_view name : TabOrder) {
        QWidget* next = control(window, name);
        if (next == nullptr) {
            continue;
        }
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    }
    for (std::string_view name : Unreachable) {
        if (QWidget* idle = control(window, name)) {
            idle->setFocusPolicy(Qt::NoFocus);
        }
    }
}

}  // namespace orvex
