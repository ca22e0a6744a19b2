#pragma once

#include <QString>
#include <QVariant>

class QWidget;

namespace orvex {

// Tells assistive technology what changed on a widget (its name, its text, its value) once the
// handler that changed it has run and the panel is drawn. The check is queued and compares with
// what was told last: a value drawn again unchanged, ten times a second while the receiver
// measures, tells nothing, and several changes made by one handler are told once.
class AccessibleAnnouncer {
public:
    // What the widget tells by itself, and is not told twice: Qt's sliders tell their values,
    // Qt's labels a new name with each new text.
    enum class ToldByWidget { Nothing, Value, Name };

    explicit AccessibleAnnouncer(QWidget& widget, ToldByWidget own = ToldByWidget::Nothing)
        : widget_(widget), own_(own) {}

    // Something assistive technology reads of the widget may have changed.
    void changed();

private:
    void tell();

    QWidget& widget_;
    ToldByWidget own_;
    QString name_;
    QString text_;
    QVariant value_;
    bool pending_ = false;
};

}  // namespace orvex
