#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QTextBrowser>
#include <QWidget>

namespace orvex {

// A key of a command that is no control of the panel (help, zoom, and what other parts add).
struct CommandKey {
    QKeySequence keys;
    QString name;
    QString description;
};

// The help window: every control and what it does (the behaviours that surprise included),
// every key, and the board in use. A window of the panel's own (no taskbar entry), opened with
// F1 or the panel's context menu; Escape closes it.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* owner);

    // Writes the page afresh: the control keys, `commands` and what `board` says now.
    void setContents(const QList<CommandKey>& commands, const QString& board);
    QString plainText() const { return page_->toPlainText(); }
    // Text and window at the panel's zoom.
    void setZoom(double zoom);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTextBrowser* page_ = nullptr;
    double zoom_ = 1.0;
};

}  // namespace orvex
