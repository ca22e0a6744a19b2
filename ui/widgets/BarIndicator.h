#pragma once

#include <QColor>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// A horizontal bar showing an integer on a range. Small ranges (up to 30 units) are drawn as a
// row of blocks, one per unit; larger ones as a continuous bar. The value is kept exactly as
// set, outside the range too; only the drawing holds it to the range.
class BarIndicator : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue)
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)

public:
    explicit BarIndicator(QWidget* parent = nullptr);

    int value() const { return value_; }
    void setValue(int value);
    int minimum() const { return minimum_; }
    void setMinimum(int minimum);
    int maximum() const { return maximum_; }
    void setMaximum(int maximum);
    QColor barColor() const { return barColor_; }
    void setBarColor(const QColor& color);
    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString accessibleValueText() const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::ProgressBar; }
    bool isReadout() const override { return true; }
    std::optional<AccessibleRange> accessibleRange() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;

private:
    bool inBlocks() const;
    // How much of the bar `value` lights, in what it is drawn in: blocks, or the trough's pixels.
    int litLength(int value) const;
    QRectF trough() const;
    QRectF blockRect(int index) const;

    void drawTrough(QPainter& painter) const;
    void drawUnlitBlocks(QPainter& painter) const;
    void drawBar(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;

    int value_ = 0;
    int minimum_ = 0;
    int maximum_ = 6;
    QColor barColor_{0x00, 0xe0, 0x00};
    QColor backgroundColor_{0x10, 0x10, 0x10};
};

}  // namespace orvex
