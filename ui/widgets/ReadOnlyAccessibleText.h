#pragma once

#include <QAccessibleTextInterface>
#include <QString>

namespace orvex {

// A text that assistive technology reads, whole or in parts, and cannot change: an instrument's
// reading, the status line's messages. It has no caret and no selection.
class ReadOnlyAccessibleText : public QAccessibleTextInterface {
public:
    // All of it, as assistive technology reads it now.
    virtual QString wholeText() const = 0;

    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return static_cast<int>(wholeText().size()); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
};

}  // namespace orvex
