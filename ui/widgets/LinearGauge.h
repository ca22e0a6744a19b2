#pragma once

#include <QColor>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// A horizontal scale with a pointer: a bar along the top, marks hanging from it, labels written
// like C's "%g", and a pointer that is held to the ends of the scale when drawn. The value is
// kept exactly as set.
class LinearGauge : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double majorStep READ majorStep WRITE setMajorStep)
    Q_PROPERTY(double minorStep READ minorStep WRITE setMinorStep)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor barColor READ barColor WRITE setBarColor)
    Q_PROPERTY(QColor scaleColor READ scaleColor WRITE setScaleColor)
    Q_PROPERTY(QColor pointerColor READ pointerColor WRITE setPointerColor)

public:
    explicit LinearGauge(QWidget* parent = nullptr);

    double minimum() const { return minimum_; }
    void setMinimum(double minimum);
    double maximum() const { return maximum_; }
    void setMaximum(double maximum);
    double value() const { return value_; }
    void setValue(double value);
    // Distance between labelled marks and between small marks; 0 for none.
    double majorStep() const { return majorStep_; }
    void setMajorStep(double step);
    double minorStep() const { return minorStep_; }
    void setMinorStep(double step);

    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QColor barColor() const { return barColor_; }
    void setBarColor(const QColor& color);
    // Marks and labels.
    QColor scaleColor() const { return scaleColor_; }
    void setScaleColor(const QColor& color);
    QColor pointerColor() const { return pointerColor_; }
    void setPointerColor(const QColor& color);

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
    // Horizontal extent of the scale and the rows it is drawn in.
    struct Geometry {
        double left = 0.0;
        double right = 0.0;
        double barTop = 0.0;
        double barBottom = 0.0;
        double labelSize = 0.0;  // pixel size of the label font
    };

    Geometry geometry() const;
    double xOf(double value, const Geometry& g) const;
    double baseline() const;  // of the labels

    void drawBackground(QPainter& painter) const;
    void drawBar(QPainter& painter, const Geometry& g) const;
    void drawMarks(QPainter& painter, const Geometry& g) const;
    void drawLabels(QPainter& painter, const Geometry& g) const;
    void drawPointer(QPainter& painter, const Geometry& g) const;
    void drawFocus(QPainter& painter) const;

    double minimum_ = 132.0;
    double maximum_ = 144.0;
    double value_ = 132.0;
    double majorStep_ = 2.0;
    double minorStep_ = 0.5;
    QColor backgroundColor_{0x00, 0xff, 0xff};
    QColor barColor_{0xff, 0xff, 0xc0};
    QColor scaleColor_{0x00, 0x80, 0x80};
    QColor pointerColor_{0xc0, 0x00, 0x00};
};

}  // namespace orvex
