#include "ui/widgets/GroupFrame.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "ui/widgets/Drawing.h"

namespace orvex {
namespace {

constexpr double CaptionIndent = 6.0;
constexpr double CaptionPadding = 2.0;

}  // namespace

GroupFrame::GroupFrame(QWidget* parent) : InstrumentWidget(parent) {}

void GroupFrame::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        refreshFace();
    }
}

void GroupFrame::setCaptionColor(const QColor& color) {
    if (color != captionColor_) {
        captionColor_ = color;
        refreshFace();
    }
}

QSize GroupFrame::sizeHint() const {
    const QFontMetrics metrics(font());
    return {std::max(80, metrics.horizontalAdvance(caption_) + 24),
            std::max(40, metrics.height() * 3)};
}

QString GroupFrame::accessibleCaption() const {
    return caption_;
}

QRectF GroupFrame::captionRect() const {
    if (caption_.isEmpty()) {
        return {};
    }
    const QFontMetricsF metrics(font());
    return QRectF(CaptionIndent, 0, metrics.horizontalAdvance(caption_) + 2 * CaptionPadding,
                  metrics.height());
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFace(painter);
}

void GroupFrame::paintFace(QPainter& painter) {
    drawEtchedEdge(painter);
    drawCaption(painter);
}

void GroupFrame::drawEtchedEdge(QPainter& painter) const {
    const QRectF caption = captionRect();
    // The edge runs through the middle of the caption; the caption's box is kept clear of it.
    const double top = caption.isEmpty() ? 0.0 : std::floor(caption.center().y());
    QRectF edge(QRectF(rect()).adjusted(0, top, 0, 0));
    painter.save();
    if (!caption.isEmpty()) {
        QPainterPath outside;
        outside.addRect(rect());
        QPainterPath gap;
        gap.addRect(caption);
        painter.setClipPath(outside.subtracted(gap));
    }
    const QColor base = palette().color(QPalette::Window);
    // Etched: a dark groove with a light line beside it.
    drawBevel(painter, edge, 1.0, bevelDark(base), bevelLight(base));
    drawBevel(painter, edge.adjusted(1, 1, -1, -1), 1.0, bevelLight(base), bevelDark(base));
    painter.restore();
}

void GroupFrame::drawCaption(QPainter& painter) const {
    const QRectF caption = captionRect();
    if (caption.isEmpty()) {
        return;
    }
    painter.setPen(captionColor_);
    painter.drawText(caption, Qt::AlignCenter, caption_);
}

}  // namespace orvex
