#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "ui/widgets/InstrumentWidget.h"
#include "ui/widgets/ScaleTick.h"

namespace orvex {

// A band at a glance: level against frequency above (the latest sweep, the peak held, the
// average), the sweeps over time below as a waterfall with the newest on top, marks at chosen
// frequencies, and a cursor the operator moves with the mouse or the arrow keys and activates
// with a click or Enter. Frequencies in kHz, levels in dB; the owner labels the level ticks and
// writes the cursor's reading. The grid, the scales and the marks are the cached face; the
// traces, the waterfall and the cursor are drawn over it.
class BandView : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(double zoom READ zoom WRITE setZoom)

public:
    static constexpr int WaterfallRows = 200;

    struct Mark {
        double kHz;
        QString label;
    };

    explicit BandView(QWidget* parent = nullptr);

    // The channels: the first one's frequency, the step between them and how many there are.
    // Another grid clears the traces and the waterfall.
    void setGrid(double lowKHz, double stepKHz, int channels);
    int channels() const { return channels_; }
    double channelKHz(int channel) const { return lowKHz_ + channel * stepKHz_; }
    void setLevelRange(double lowestDb, double highestDb);
    void setLevelTicks(QList<ScaleTick> ticks);
    void setMarks(QList<Mark> marks);
    const QList<Mark>& marks() const { return marks_; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);

    // A level a channel; the latest may be shorter than the grid (a sweep in progress).
    void setTraces(std::vector<double> latest, std::vector<double> peak,
                   std::vector<double> average);
    void addWaterfallRow(const std::vector<double>& db);
    void clearWaterfall();

    std::optional<int> cursorChannel() const { return cursor_; }
    void setCursorChannel(std::optional<int> channel);
    // What the cursor reads, drawn in the plot's corner and told to screen readers.
    void setCursorText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    QString accessibleValueText() const override { return cursorText_; }
    QAccessible::Role accessibleRole() const override { return QAccessible::Chart; }

signals:
    // The operator moved the cursor onto `channel`, or off the band (-1).
    void cursorMoved(int channel);
    // The operator clicked `channel`, or pressed Enter on it.
    void channelActivated(int channel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QRectF plotArea() const;
    QRectF waterfallArea() const;
    double xOf(double channel) const;
    double yOf(double db) const;
    std::optional<int> channelAt(QPointF point) const;
    QFont scaleFont() const;

    void drawBackground(QPainter& painter) const;
    void drawLevelGrid(QPainter& painter) const;
    void drawFrequencyScale(QPainter& painter) const;
    void drawMarks(QPainter& painter) const;
    void drawWaterfall(QPainter& painter) const;
    void drawTrace(QPainter& painter, const std::vector<double>& db, const QColor& color,
                   double width) const;
    void drawCursor(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;

    double lowKHz_ = 0.0;
    double stepKHz_ = 1.0;
    int channels_ = 0;
    double lowestDb_ = -60.0;
    double highestDb_ = 60.0;
    QList<ScaleTick> ticks_;
    QList<Mark> marks_;
    double zoom_ = 1.0;
    std::vector<double> latest_;
    std::vector<double> peak_;
    std::vector<double> average_;
    QImage waterfall_;
    std::array<QRgb, 256> colours_{};
    std::optional<int> cursor_;
    QString cursorText_;
};

}  // namespace orvex
