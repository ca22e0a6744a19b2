#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "ui/BoardBadge.h"
#include "ui/HelpWindow.h"

namespace orvex {

// The window's commands: each has its keys, an entry in the context menu and a line in the help,
// added in one call. The keys that click a control (ui/KeyTable.h) are bound here too, and the
// help window that lists them all is opened from here.
class PanelCommands : public QObject {
    Q_OBJECT

public:
    // `window` takes the shortcuts; the help names the board as `badge` describes it, and `open`
    // shows the help window.
    PanelCommands(QWidget& window, const BoardBadge& badge, std::function<void(HelpWindow&)> open);

    QAction* add(const QKeySequence& keys, const QString& name, const QString& description,
                 std::function<void()> run);
    QMenu* menu() const { return menu_; }
    void popUp(const QPoint& globalPosition);
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }

private:
    void bindMenuKeys();

    QWidget& window_;
    const BoardBadge& badge_;
    std::function<void(HelpWindow&)> open_;
    QMenu* menu_;
    QList<CommandKey> commands_;
    QPointer<HelpWindow> help_;
};

}  // namespace orvex
