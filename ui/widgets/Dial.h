#pragma once

#include <QColor>
#include <QPolygonF>
#include <array>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// A meter with two needles on one arc scale, a threshold mark, and a legend naming the needles,
// drawn inside an outline polygon given on a 1000 x 1000 grid that is stretched over the widget.
//
// Values are kept exactly as set; only the drawing holds a needle or the mark to the ends of the
// scale, so a value read back is the value written. value() and setValue() address the selected
// needle. With the face and scale colours black and both steps 0 the dial looks switched off.
class Dial : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(QString needle0Label READ needle0Label WRITE setNeedle0Label)
    Q_PROPERTY(QString needle1Label READ needle1Label WRITE setNeedle1Label)
    Q_PROPERTY(int selectedNeedle READ selectedNeedle WRITE setSelectedNeedle)
    Q_PROPERTY(double value READ value WRITE setValue)
    Q_PROPERTY(double threshold READ threshold WRITE setThreshold)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(QColor faceColor READ faceColor WRITE setFaceColor)
    Q_PROPERTY(QColor scaleColor READ scaleColor WRITE setScaleColor)
    Q_PROPERTY(double majorStep READ majorStep WRITE setMajorStep)
    Q_PROPERTY(double minorStep READ minorStep WRITE setMinorStep)
    Q_PROPERTY(bool labelsVisible READ labelsVisible WRITE setLabelsVisible)
    Q_PROPERTY(QPolygonF outline READ outline WRITE setOutline)

public:
    static constexpr int Needles = 2;

    explicit Dial(QWidget* parent = nullptr);

    QString needle0Label() const { return labels_[0]; }
    void setNeedle0Label(const QString& label);
    QString needle1Label() const { return labels_[1]; }
    void setNeedle1Label(const QString& label);

    int selectedNeedle() const { return selected_; }
    // 0 or 1; any other number is ignored.
    void setSelectedNeedle(int needle);
    double value() const { return values_[selected_]; }
    void setValue(double value);
    // Needle 0 or 1; 0 for any other number.
    double needleValue(int needle) const;
    void setNeedleValue(int needle, double value);

    double threshold() const { return threshold_; }
    void setThreshold(double threshold);
    double minimum() const { return minimum_; }
    void setMinimum(double minimum);
    double maximum() const { return maximum_; }
    void setMaximum(double maximum);

    QColor faceColor() const { return faceColor_; }
    void setFaceColor(const QColor& color);
    // Scale, labels, legend, needles and the threshold mark.
    QColor scaleColor() const { return scaleColor_; }
    void setScaleColor(const QColor& color);
    // Distance between labelled marks and between small marks; 0 for none.
    double majorStep() const { return majorStep_; }
    void setMajorStep(double step);
    double minorStep() const { return minorStep_; }
    void setMinorStep(double step);
    bool labelsVisible() const { return labelsVisible_; }
    void setLabelsVisible(bool visible);
    QPolygonF outline() const { return outline_; }
    void setOutline(const QPolygonF& outline);

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
    // Where the scale lies in the widget.
    struct Geometry {
        QPointF pivot;
        double radius = 0.0;
        double labelSize = 0.0;  // pixel size of the scale and legend fonts
    };

    Geometry geometry() const;
    double angleOf(double value) const;
    bool movesVisibly(int needle) const;
    QPolygonF mappedOutline() const;

    void drawOutline(QPainter& painter) const;
    void drawScale(QPainter& painter, const Geometry& g) const;
    void drawScaleLabels(QPainter& painter, const Geometry& g) const;
    void drawLegend(QPainter& painter, const Geometry& g) const;
    void drawThreshold(QPainter& painter, const Geometry& g) const;
    void drawNeedles(QPainter& painter, const Geometry& g) const;
    void drawFocus(QPainter& painter) const;

    std::array<QString, Needles> labels_;
    std::array<double, Needles> values_{};
    std::array<double, Needles> painted_{};  // the values of the last paint
    int selected_ = 0;
    double threshold_ = 0.0;
    double minimum_ = 0.0;
    double maximum_ = 15.0;
    QColor faceColor_{0x80, 0x80, 0x00};
    QColor scaleColor_{0x00, 0xff, 0xff};
    double majorStep_ = 2.5;
    double minorStep_ = 0.5;
    bool labelsVisible_ = true;
    QPolygonF outline_;
};

}  // namespace orvex
