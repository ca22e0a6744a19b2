#pragma once

#include <QColor>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// A raised panel with a 3-D edge, a background colour and an optional centred caption in the
// widget's font. Other controls sit on it.
class Panel3D : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)
    Q_PROPERTY(int bevelWidth READ bevelWidth WRITE setBevelWidth)

public:
    explicit Panel3D(QWidget* parent = nullptr);

    QColor backgroundColor() const { return backgroundColor_; }
    void setBackgroundColor(const QColor& color);
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor& color);
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);

    QSize sizeHint() const override;

    QString accessibleCaption() const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::Pane; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;

private:
    void drawBackground(QPainter& painter) const;
    void drawEdge(QPainter& painter) const;
    void drawCaption(QPainter& painter) const;

    QColor backgroundColor_{0xc0, 0xc0, 0xc0};
    QString caption_;
    QColor captionColor_{Qt::black};
    int bevelWidth_ = 2;
};

}  // namespace orvex
