#include "ui/widgets/FaceCache.h"

#include <QPainter>
#include <cmath>

namespace orvex {

qreal FaceCache::pixelRatio(const QPainter& painter) {
    const QTransform transform = painter.deviceTransform();
    const qreal ratio = std::hypot(transform.m11(), transform.m12());
    return ratio > 0.0 ? ratio : 1.0;
}

void FaceCache::draw(QPainter& painter, QSize size, const PaintFace& paintFace) {
    if (size.isEmpty()) {
        return;
    }
    const qreal ratio = pixelRatio(painter);
    if (!valid_ || size != size_ || ratio != ratio_) {
        const QSize pixels(static_cast<int>(std::ceil(size.width() * ratio)),
                           static_cast<int>(std::ceil(size.height() * ratio)));
        pixmap_ = QPixmap(pixels);
        pixmap_.setDevicePixelRatio(ratio);
        pixmap_.fill(Qt::transparent);
        QPainter facePainter(&pixmap_);
        facePainter.setRenderHint(QPainter::Antialiasing);
        facePainter.setRenderHint(QPainter::TextAntialiasing);
        paintFace(facePainter);
        size_ = size;
        ratio_ = ratio;
        valid_ = true;
    }
    painter.drawPixmap(QPointF(0, 0), pixmap_);
}

}  // namespace orvex
