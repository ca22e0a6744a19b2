#include "ui/PanelCommands.h"

#include <utility>

#include "ui/KeyTable.h"

namespace orvex {

PanelCommands::PanelCommands(QWidget& window, const BoardBadge& badge,
                             std::function<void(HelpWindow&)> open)
    : QObject(&window),
      window_(window),
      badge_(badge),
      open_(std::move(open)),
      menu_(new QMenu(&window)) {
    bindControlKeys(window_);
    add(QKeySequence(Qt::Key_F1), "Help", "every control and every key", [this] { showHelp(); });
    bindMenuKeys();
}

// Shift+F10 and the Menu key open the menu at the control that has the keyboard (at the middle of
// the window when none has), as the right mouse button opens it where the mouse is.
void PanelCommands::bindMenuKeys() {
    auto* action = new QAction(&window_);
    action->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this] {
        const QWidget* focus = window_.focusWidget();
        const QWidget* at = focus != nullptr && focus->isVisible() ? focus : &window_;
        popUp(at->mapToGlobal(at->rect().center()));
    });
    window_.addAction(action);
}

QAction* PanelCommands::add(const QKeySequence& keys, const QString& name,
                            const QString& description, std::function<void()> run) {
    auto* action = new QAction(name, &window_);
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [run = std::move(run)] { run(); });
    window_.addAction(action);
    menu_->addAction(action);
    commands_.append({keys, name, description});
    return action;
}

void PanelCommands::popUp(const QPoint& globalPosition) {
    menu_->popup(globalPosition);
}

void PanelCommands::showHelp() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(&window_);
    }
    help_->setContents(commands_, badge_.fullText());
    open_(*help_);
}

}  // namespace orvex
