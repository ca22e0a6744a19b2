#include "ui/widgets/Panel3D.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "ui/widgets/Drawing.h"

namespace orvex {

Panel3D::Panel3D(QWidget* parent) : InstrumentWidget(parent) {}

void Panel3D::setBackgroundColor(const QColor& color) {
    if (color != backgroundColor_) {
        backgroundColor_ = color;
        refreshFace();
    }
}

void Panel3D::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        refreshFace();
    }
}

void Panel3D::setCaptionColor(const QColor& color) {
    if (color != captionColor_) {
        captionColor_ = color;
        refreshFace();
    }
}

void Panel3D::setBevelWidth(int width) {
    width = std::max(width, 0);
    if (width != bevelWidth_) {
        bevelWidth_ = width;
        refreshFace();
    }
}

QSize Panel3D::sizeHint() const {
    const QFontMetrics metrics(font());
    return {std::max(80, metrics.horizontalAdvance(caption_) + 4 * bevelWidth_ + 8),
            std::max(24, metrics.height() + 4 * bevelWidth_)};
}

QString Panel3D::accessibleCaption() const {
    return caption_;
}

// A panel without a caption is a fill and a bevel, drawn faster than its cache would be copied;
// the window's largest panels would each keep a window-sized picture for nothing.
void Panel3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (caption_.isEmpty()) {
        paintFace(painter);
        return;
    }
    drawFace(painter);
}

void Panel3D::paintFace(QPainter& painter) {
    drawBackground(painter);
    drawEdge(painter);
    drawCaption(painter);
}

void Panel3D::drawBackground(QPainter& painter) const {
    painter.fillRect(rect(), backgroundColor_);
}

void Panel3D::drawEdge(QPainter& painter) const {
    drawBevel(painter, rect(), bevelWidth_, bevelLight(backgroundColor_),
              bevelDark(backgroundColor_));
}

void Panel3D::drawCaption(QPainter& painter) const {
    if (caption_.isEmpty()) {
        return;
    }
    const QRectF area =
        QRectF(rect()).adjusted(bevelWidth_ + 1, bevelWidth_, -bevelWidth_ - 1, -bevelWidth_);
    painter.setFont(fittedFont(painter.font(), caption_, area.width()));
    painter.setPen(captionColor_);
    painter.drawText(area, Qt::AlignCenter, caption_);
}

}  // namespace orvex
