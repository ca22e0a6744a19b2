#include "ui/MenuKeys.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace orvex {

void bindMenuKeys(QWidget& window, QMenu& menu) {
    auto* action = new QAction(&window);
    action->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, &menu, [&window, &menu] {
        QWidget* focus = window.focusWidget();
        const QWidget* at = focus != nullptr && focus->isVisible() ? focus : &window;
        menu.popup(at->mapToGlobal(at->rect().center()));
    });
    window.addAction(action);
}

}  // namespace orvex
