#pragma once

#include <QColor>
#include <algorithm>
#include <optional>

#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/SegmentFont.h"
#include "ui/widgets/StepAccumulator.h"

namespace orvex {

// A seven-segment numeric display ("137.500"): digits, '-', ' ' and decimal points, right
// aligned over at least `digitCount` cells, lit segments over faint unlit ones.
//
// It can also take a typed number. beginEntry() clears a separate typed text and shows it, left
// aligned with the free cells underlined (an entry longer than the display shows its last
// cells); digits, one decimal point and Backspace edit it, Enter hands it over with
// entryAccepted() and Escape drops it with entryCancelled(). The displayed text is never changed
// by typing; the owner decides what to show. A click, Enter or Space outside entry, or a digit
// typed outside entry, emits activated(): the owner decides whether to begin an entry (the digit
// then starts it). The mouse wheel over a digit emits digitWheeled() with the digit's place.
// Those signals come from the operator only; textChanged() follows every new displayed text.
class SevenSegmentDisplay : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(int digitCount READ digitCount WRITE setDigitCount)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor segmentColor READ segmentColor WRITE setSegmentColor)
    Q_PROPERTY(QColor unlitColor READ unlitColor WRITE setUnlitColor)
    Q_PROPERTY(int entryCells READ entryCells WRITE setEntryCells)
    Q_PROPERTY(bool entering READ isEntering)
    Q_PROPERTY(QString typedText READ typedText)

public:
    explicit SevenSegmentDisplay(QWidget* parent = nullptr);

    QString text() const { return text_; }
    // Kept exactly; characters the display cannot show are left blank.
    void setText(const QString& text);
    int digitCount() const { return digitCount_; }
    void setDigitCount(int count);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QColor segmentColor() const { return segmentColor_; }
    void setSegmentColor(const QColor& color);
    QColor unlitColor() const { return unlitColor_; }
    void setUnlitColor(const QColor& color);

    // How many cells an entry may take, at least the display's own.
    int entryCells() const { return std::max(entryCells_, cellCount()); }
    void setEntryCells(int cells);

    bool isEntering() const { return entering_; }
    QString typedText() const { return typed_; }
    // Starts a new entry with an empty typed text and takes the keyboard focus.
    void beginEntry();
    // Leaves entry mode without a signal, as when the owner takes the display away.
    void endEntry();

    // Where the digit `place` cells from the right (0 the last) is drawn; empty when there is none.
    QRectF digitRect(int place) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString accessibleValueText() const override { return text_; }
    // What is being typed, during an entry; the reading otherwise.
    QString spokenText() const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::StaticText; }
    bool isReadout() const override { return true; }
    // The number shown (0 while it shows none); the window gives the ends.
    std::optional<AccessibleRange> accessibleRange() const override;

signals:
    // The operator's acts
    void entryAccepted(const QString& typed);
    void entryCancelled();
    void activated();
    // The mouse wheel turned `notches` (up positive) over the digit `place` cells from the right
    // (0 the last digit); not during an entry.
    void digitWheeled(int place, int notches);
    // Every change of the displayed text, made from code
    void textChanged(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int cellCount() const;
    // The cell under `point`, counted from the left; none beside the digits.
    std::optional<int> cellAt(QPointF point) const;
    std::vector<SegmentCell> shownCells() const;
    // Adds a digit or the decimal point; false for characters an entry does not take.
    bool type(QChar character);
    void finishEntry(bool accepted);

    void drawBackground(QPainter& painter) const;
    void drawCells(QPainter& painter, const std::vector<SegmentCell>& cells,
                   const QColor& color) const;
    void drawFocus(QPainter& painter) const;

    QString text_;
    int digitCount_ = 6;
    QColor backgroundColor_{0x10, 0x10, 0x10};
    QColor segmentColor_{0xff, 0x30, 0x20};
    QColor unlitColor_{0x40, 0x10, 0x08};
    int entryCells_ = 0;
    bool entering_ = false;
    QString typed_;
    StepAccumulator wheel_;
};

}  // namespace orvex
