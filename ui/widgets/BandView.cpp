#include "ui/widgets/BandView.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "ui/widgets/ChartFace.h"
#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

// Of the widget's height below the scale row: the level plot above, the waterfall below.
constexpr double PlotShare = 0.55;
constexpr double Margin = 6.0;        // around everything, at 100 %
constexpr double LabelWidth = 56.0;   // the level labels left of the plot
constexpr double RightRoom = 14.0;    // half the last frequency label, right of the plot
constexpr double ScaleHeight = 18.0;  // the frequency labels between plot and waterfall
using chart::Grid;
using chart::Labels;

const QColor Latest{0xFF, 0xE0, 0x40};
const QColor Peak{0xFF, 0x50, 0x40};
const QColor Average{0x40, 0xD0, 0xFF};
const QColor MarkColour{0x80, 0xFF, 0x80};
const QColor CursorColour{0xFF, 0xFF, 0xFF};

// Dark blue through cyan, green and yellow to red: the usual waterfall colours.
QRgb waterfallColour(double fraction) {
    struct Stop {
        double at;
        QColor colour;
    };
    static const std::array<Stop, 6> Stops{{{0.0, QColor(0x00, 0x00, 0x20)},
                                            {0.25, QColor(0x00, 0x30, 0xC0)},
                                            {0.45, QColor(0x00, 0xC0, 0xE0)},
                                            {0.65, QColor(0x40, 0xE0, 0x40)},
                                            {0.85, QColor(0xFF, 0xE0, 0x00)},
                                            {1.0, QColor(0xFF, 0x30, 0x20)}}};
    for (std::size_t i = 1; i < Stops.size(); ++i) {
        if (fraction <= Stops[i].at) {
            const double along = (fraction - Stops[i - 1].at) / (Stops[i].at - Stops[i - 1].at);
            return mixColors(Stops[i - 1].colour, Stops[i].colour, along).rgb();
        }
    }
    return Stops.back().colour.rgb();
}

// A step between frequency labels that gives a handful across `spanKHz`.
double labelStepKHz(double spanKHz) {
    for (const double step : {10.0, 20.0, 50.0, 100.0, 200.0, 500.0, 1000.0, 2000.0}) {
        if (spanKHz / step <= 8.0) {
            return step;
        }
    }
    return 5000.0;
}

QString megahertzLabel(double kHz, double stepKHz) {
    const int decimals = stepKHz >= 1000.0 ? 0 : stepKHz >= 100.0 ? 1 : 2;
    return QString::number(kHz / 1000.0, 'f', decimals);
}

}  // namespace

BandView::BandView(QWidget* parent) : InstrumentWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    for (std::size_t i = 0; i < colours_.size(); ++i) {
        colours_[i] =
            waterfallColour(static_cast<double>(i) / static_cast<double>(colours_.size() - 1));
    }
    clearWaterfall();
}

void BandView::setGrid(double lowKHz, double stepKHz, int channels) {
    if (lowKHz == lowKHz_ && stepKHz == stepKHz_ && channels == channels_) {
        return;
    }
    lowKHz_ = lowKHz;
    stepKHz_ = stepKHz;
    channels_ = std::max(channels, 0);
    latest_.clear();
    peak_.clear();
    average_.clear();
    if (cursor_ && *cursor_ >= channels_) {
        cursor_.reset();
    }
    clearWaterfall();
    refreshFace();
}

void BandView::setLevelRange(double lowestDb, double highestDb) {
    if (lowestDb != lowestDb_ || highestDb != highestDb_) {
        lowestDb_ = lowestDb;
        highestDb_ = highestDb;
        refreshFace();
    }
}

void BandView::setLevelTicks(QList<ScaleTick> ticks) {
    ticks_ = std::move(ticks);
    refreshFace();
}

void BandView::setMarks(QList<Mark> marks) {
    marks_ = std::move(marks);
    refreshFace();
}

void BandView::setZoom(double zoom) {
    if (zoom != zoom_) {
        zoom_ = zoom;
        updateGeometry();
        refreshFace();
    }
}

void BandView::setTraces(std::vector<double> latest, std::vector<double> peak,
                         std::vector<double> average) {
    latest_ = std::move(latest);
    peak_ = std::move(peak);
    average_ = std::move(average);
    update(plotArea().toAlignedRect());
}

// One row a sweep: the image scrolls down and the newest row is the top one.
void BandView::addWaterfallRow(const std::vector<double>& db) {
    if (waterfall_.width() < 1 || waterfall_.height() < 1) {
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(waterfall_.bytesPerLine());
    uchar* bits = waterfall_.bits();
    std::memmove(bits + rowBytes, bits, rowBytes * (static_cast<std::size_t>(WaterfallRows) - 1));
    auto* top = reinterpret_cast<QRgb*>(waterfall_.scanLine(0));
    const double span = highestDb_ - lowestDb_;
    for (int x = 0; x < waterfall_.width(); ++x) {
        const auto i = static_cast<std::size_t>(x);
        const double fraction =
            i < db.size() && span > 0 ? std::clamp((db[i] - lowestDb_) / span, 0.0, 1.0) : 0.0;
        top[x] = colours_[static_cast<std::size_t>(std::lround(fraction * 255.0))];
    }
    update(waterfallArea().toAlignedRect());
}

void BandView::clearWaterfall() {
    waterfall_ = QImage(std::max(channels_, 1), WaterfallRows, QImage::Format_RGB32);
    waterfall_.fill(colours_.front());
    update();
}

void BandView::setCursorChannel(std::optional<int> channel) {
    if (channel && (*channel < 0 || *channel >= channels_)) {
        channel.reset();
    }
    if (channel != cursor_) {
        cursor_ = channel;
        update();
        emit cursorMoved(cursor_.value_or(-1));
    }
}

void BandView::setCursorText(const QString& text) {
    if (text != cursorText_) {
        cursorText_ = text;
        update(plotArea().toAlignedRect());
        announceValue();
    }
}

QSize BandView::sizeHint() const {
    return QSize(720, 420) * zoom_;
}

QSize BandView::minimumSizeHint() const {
    return QSize(240, 160) * zoom_;
}

// --- geometry ----------------------------------------------------------------------------------

QRectF BandView::plotArea() const {
    const double m = Margin * zoom_;
    const double room = height() - 2 * m - ScaleHeight * zoom_;
    return {m + LabelWidth * zoom_, m, width() - 2 * m - (LabelWidth + RightRoom) * zoom_,
            room * PlotShare};
}

QRectF BandView::waterfallArea() const {
    const QRectF plot = plotArea();
    const double top = plot.bottom() + ScaleHeight * zoom_;
    return {plot.left(), top, plot.width(), height() - Margin * zoom_ - top};
}

double BandView::xOf(double channel) const {
    const QRectF plot = plotArea();
    const double last = std::max(channels_ - 1, 1);
    return plot.left() + plot.width() * channel / last;
}

double BandView::yOf(double db) const {
    const QRectF plot = plotArea();
    const double span = highestDb_ - lowestDb_;
    const double fraction = span > 0 ? std::clamp((db - lowestDb_) / span, 0.0, 1.0) : 0.0;
    return plot.bottom() - plot.height() * fraction;
}

std::optional<int> BandView::channelAt(QPointF point) const {
    const QRectF plot = plotArea();
    if (channels_ < 1 || point.x() < plot.left() || point.x() > plot.right() ||
        point.y() < plot.top() || point.y() > waterfallArea().bottom()) {
        return std::nullopt;
    }
    const double last = std::max(channels_ - 1, 1);
    return std::clamp(
        static_cast<int>(std::lround((point.x() - plot.left()) / plot.width() * last)), 0,
        channels_ - 1);
}

QFont BandView::scaleFont() const {
    return chart::scaleFont(font(), zoom_);
}

// --- the operator ------------------------------------------------------------------------------

void BandView::mouseMoveEvent(QMouseEvent* event) {
    if (const std::optional<int> channel = channelAt(event->position())) {
        setCursorChannel(channel);
    }
}

void BandView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return InstrumentWidget::mousePressEvent(event);
    }
    if (const std::optional<int> channel = channelAt(event->position())) {
        setCursorChannel(channel);
        emit channelActivated(*channel);
    }
}

void BandView::keyPressEvent(QKeyEvent* event) {
    if (channels_ < 1) {
        return InstrumentWidget::keyPressEvent(event);
    }
    const int at = cursor_.value_or(0);
    const int page = std::max(channels_ / 20, 1);
    switch (event->key()) {
        case Qt::Key_Left:
            return setCursorChannel(std::max(at - 1, 0));
        case Qt::Key_Right:
            return setCursorChannel(cursor_ ? std::min(at + 1, channels_ - 1) : 0);
        case Qt::Key_PageDown:
            return setCursorChannel(std::max(at - page, 0));
        case Qt::Key_PageUp:
            return setCursorChannel(std::min(at + page, channels_ - 1));
        case Qt::Key_Home:
            return setCursorChannel(0);
        case Qt::Key_End:
            return setCursorChannel(channels_ - 1);
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (cursor_) {
                emit channelActivated(*cursor_);
            }
            return;
        default:
            return InstrumentWidget::keyPressEvent(event);
    }
}

// --- painting ----------------------------------------------------------------------------------

void BandView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
    drawWaterfall(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    drawTrace(painter, average_, Average, 1.0);
    drawTrace(painter, peak_, Peak, 1.0);
    drawTrace(painter, latest_, Latest, 1.5);
    drawCursor(painter);
    drawFocus(painter);
}

void BandView::paintFace(QPainter& painter) {
    drawBackground(painter);
    drawLevelGrid(painter);
    drawFrequencyScale(painter);
    drawMarks(painter);
}

void BandView::drawBackground(QPainter& painter) const {
    chart::drawBackground(painter, rect(), zoom_);
}

void BandView::drawLevelGrid(QPainter& painter) const {
    painter.setFont(scaleFont());
    chart::drawValueTicks(
        painter, plotArea(), ticks_, [this](double db) { return yOf(db); }, zoom_);
}

void BandView::drawFrequencyScale(QPainter& painter) const {
    if (channels_ < 2) {
        return;
    }
    const QRectF plot = plotArea();
    const double highKHz = channelKHz(channels_ - 1);
    const double step = labelStepKHz(highKHz - lowKHz_);
    painter.setFont(scaleFont());
    const QFontMetricsF metrics(painter.font());
    for (double kHz = std::ceil(lowKHz_ / step) * step; kHz <= highKHz + 1e-6; kHz += step) {
        const double x = xOf((kHz - lowKHz_) / stepKHz_);
        painter.setPen(QPen(Grid, zoom_));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        const QString text = megahertzLabel(kHz, step);
        const double w = metrics.horizontalAdvance(text);
        const double left = std::clamp(x - w / 2, 0.0, width() - w);
        painter.setPen(Labels);
        painter.drawText(QRectF(left, plot.bottom(), w, ScaleHeight * zoom_), Qt::AlignCenter,
                         text);
    }
}

void BandView::drawMarks(QPainter& painter) const {
    const QRectF plot = plotArea();
    const QRectF fall = waterfallArea();
    painter.setFont(scaleFont());
    const QFontMetricsF metrics(painter.font());
    for (const Mark& mark : marks_) {
        const double channel = (mark.kHz - lowKHz_) / stepKHz_;
        if (channel < 0 || channel > channels_ - 1) {
            continue;
        }
        const double x = xOf(channel);
        painter.setPen(QPen(MarkColour, zoom_, Qt::DashLine));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, fall.bottom()));
        painter.setPen(MarkColour);
        painter.drawText(QPointF(x + 2 * zoom_, plot.top() + metrics.ascent() + zoom_), mark.label);
    }
}

void BandView::drawWaterfall(QPainter& painter) const {
    painter.drawImage(waterfallArea(), waterfall_);
}

void BandView::drawTrace(QPainter& painter, const std::vector<double>& db, const QColor& color,
                         double width) const {
    if (db.empty()) {
        return;
    }
    QPainterPath path(QPointF(xOf(0), yOf(db.front())));
    for (std::size_t i = 1; i < db.size(); ++i) {
        path.lineTo(xOf(static_cast<double>(i)), yOf(db[i]));
    }
    painter.setClipRect(plotArea());
    painter.setPen(QPen(color, width * zoom_));
    painter.drawPath(path);
    painter.setClipping(false);
}

void BandView::drawCursor(QPainter& painter) const {
    const QRectF plot = plotArea();
    if (cursor_) {
        const double x = xOf(*cursor_);
        painter.setPen(QPen(CursorColour, zoom_));
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, waterfallArea().bottom()));
    }
    if (!cursorText_.isEmpty()) {
        painter.setFont(scaleFont());
        painter.setPen(CursorColour);
        painter.drawText(plot.adjusted(4 * zoom_, 2 * zoom_, -4 * zoom_, 0),
                         Qt::AlignRight | Qt::AlignTop, cursorText_);
    }
}

void BandView::drawFocus(QPainter& painter) const {
    if (hasFocus()) {
        drawFocusMark(painter, rect(), focusMarkWidth(*this));
    }
}

}  // namespace orvex
