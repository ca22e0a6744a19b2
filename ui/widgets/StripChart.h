#pragma once

#include <QList>
#include <QPointF>
#include <optional>
#include <vector>

#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/ScaleTick.h"

namespace orvex {

// A strip chart: a value over the last minutes with the newest at the right edge, and a line at
// the peak held. The scales and their labels are the cached face; the trace and the peak are
// drawn over it.
class StripChart : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(double zoom READ zoom WRITE setZoom)
    Q_PROPERTY(double spanSeconds READ spanSeconds WRITE setSpanSeconds)

public:
    explicit StripChart(QWidget* parent = nullptr);

    double spanSeconds() const { return span_; }
    void setSpanSeconds(double seconds);
    void setRange(double lowest, double highest);
    void setTicks(QList<ScaleTick> ticks);
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // The trace: x the seconds before now (0 at the right edge), y the value.
    void setPoints(std::vector<QPointF> points);
    void setPeak(std::optional<double> peak);
    // What it shows now, for screen readers.
    void setValueText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QString accessibleValueText() const override { return valueText_; }
    QAccessible::Role accessibleRole() const override { return QAccessible::Chart; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;

private:
    QRectF plotArea() const;
    QPointF pointOf(double secondsAgo, double value) const;
    QFont scaleFont() const;

    void drawBackground(QPainter& painter) const;
    void drawValueGrid(QPainter& painter) const;
    void drawTimeScale(QPainter& painter) const;
    void drawTrace(QPainter& painter) const;
    void drawPeak(QPainter& painter) const;

    double span_ = 300.0;
    double lowest_ = -60.0;
    double highest_ = 60.0;
    QList<ScaleTick> ticks_;
    double zoom_ = 1.0;
    std::vector<QPointF> points_;
    std::optional<double> peak_;
    QString valueText_;
};

}  // namespace orvex
