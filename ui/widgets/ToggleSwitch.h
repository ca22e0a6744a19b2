#pragma once

#include <QColor>

#include "ui/widgets/InstrumentWidget.h"

namespace orvex {

// An on/off push switch with a lamp: it stays in while on, and shows the caption and lamp colour
// of its state. In picture mode it is drawn as a power push button instead, its symbol lit in
// the lamp colour of the state. The operator switches it with a click or with Space or Enter, and
// only that emits switched(); onChanged() follows every change of state, also one made from code.
class ToggleSwitch : public InstrumentWidget {
    Q_OBJECT
    Q_PROPERTY(bool on READ isOn WRITE setOn NOTIFY onChanged)
    Q_PROPERTY(QString offCaption READ offCaption WRITE setOffCaption)
    Q_PROPERTY(QString onCaption READ onCaption WRITE setOnCaption)
    Q_PROPERTY(QColor offLampColor READ offLampColor WRITE setOffLampColor)
    Q_PROPERTY(QColor onLampColor READ onLampColor WRITE setOnLampColor)
    Q_PROPERTY(bool pictureMode READ pictureMode WRITE setPictureMode)

public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);
    QString offCaption() const { return offCaption_; }
    void setOffCaption(const QString& caption);
    QString onCaption() const { return onCaption_; }
    void setOnCaption(const QString& caption);
    // Both captions at once, for switches that read the same either way.
    void setCaption(const QString& caption);
    QColor offLampColor() const { return offLampColor_; }
    void setOffLampColor(const QColor& color);
    QColor onLampColor() const { return onLampColor_; }
    void setOnLampColor(const QColor& color);
    bool pictureMode() const { return pictureMode_; }
    void setPictureMode(bool pictureMode);

    // Does what a click of the operator's does (a keyboard shortcut, say): switches and emits
    // switched(); nothing while disabled.
    void click();

    QString caption() const { return on_ ? onCaption_ : offCaption_; }
    QColor lampColor() const { return on_ ? onLampColor_ : offLampColor_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    QString accessibleCaption() const override;
    QString accessibleValueText() const override;
    // A check box to assistive technology, as Qt's own checkable buttons are.
    QAccessible::Role accessibleRole() const override { return QAccessible::CheckBox; }
    void addAccessibleState(QAccessible::State& state) const override;
    // Press and Toggle, each a click.
    QStringList accessibleActions() const override;
    void doAccessibleAction(const QString& action) override;

signals:
    // The operator switched it.
    void switched(bool on);
    // Every change of state, the operator's and those made from code.
    void onChanged(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void paintFace(QPainter& painter) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void toggleByOperator();
    void setPressed(bool pressed);
    QRectF lampRect() const;
    QRectF pictureRect() const;

    void drawBody(QPainter& painter) const;
    void drawLamp(QPainter& painter) const;
    void drawCaption(QPainter& painter) const;
    void drawPicture(QPainter& painter) const;
    void drawPressed(QPainter& painter) const;
    void drawFocus(QPainter& painter) const;

    bool on_ = false;
    QString offCaption_;
    QString onCaption_;
    QColor offLampColor_{0x80, 0x80, 0x80};
    QColor onLampColor_{0x80, 0xff, 0x80};
    bool pictureMode_ = false;
    bool pressed_ = false;  // held down by the mouse, not yet released
};

}  // namespace orvex
