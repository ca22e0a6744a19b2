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
    // Whether value changes are told here too, or by the widget itself (Qt's sliders tell them).
    enum class Values { Told, ToldByWidget };

    explicit AccessibleAnnouncer(QWidget& widget, Values values = Values::Told)
        : widget_(widget), values_(values) {}

    // Something assistive technology reads of the widget may have changed.
    void changed();

private:
    void tell();

    QWidget& widget_;
    Values values_;
    QString name_;
    QString text_;
    QVariant value_;
    bool pending_ = false;
};

}  // namespace orvex
