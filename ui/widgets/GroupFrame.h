#pragma once

#include <QColor>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// An etched frame that groups controls, with an optional caption set into its top edge. It is
// transparent inside: what it stands on shows through.
class GroupFrame : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(QString caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor captionColor READ captionColor WRITE setCaptionColor)

public:
    explicit GroupFrame(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QColor captionColor() const { return captionColor_; }
    void setCaptionColor(const QColor& color);

    QSize sizeHint() const override;

    QString accessibleCaption() const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::Grouping; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;

private:
    // The caption's box in the top edge; empty without a caption.
    QRectF captionRect() const;

    void drawEtchedEdge(QPainter& painter) const;
    void drawCaption(QPainter& painter) const;

    QString caption_;
    QColor captionColor_{Qt::black};
};

}  // namespace orvex
