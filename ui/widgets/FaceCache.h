#pragma once

#include <QPixmap>
#include <QSize>
#include <functional>

class QPainter;

namespace orvex {

// The static face of an instrument, kept as a pixmap at the pixel ratio it is shown at. It is
// painted again only when the size or the pixel ratio changes or the owner calls invalidate(), so
// moving a needle costs one pixmap copy plus the needle.
class FaceCache {
public:
    using PaintFace = std::function<void(QPainter&)>;

    // Draws the face at the painter's origin, repainting it first with `paintFace` when it is
    // stale.
    void draw(QPainter& painter, QSize size, const PaintFace& paintFace);
    void invalidate() { valid_ = false; }

    // The pixmap last drawn (null before the first draw).
    const QPixmap& pixmap() const { return pixmap_; }

private:
    // The scale from logical to device pixels the painter ends up at: the screen's ratio for an
    // ordinary repaint, the target's when the widget is rendered into a high-resolution image.
    static qreal pixelRatio(const QPainter& painter);

    QPixmap pixmap_;
    QSize size_;
    qreal ratio_ = 0.0;
    bool valid_ = false;
};

}  // namespace orvex
