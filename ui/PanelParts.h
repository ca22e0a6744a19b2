#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>
#include <QWidget>
#include <algorithm>

namespace orvex::parts {

// A control of the layout: named (its object name is the control's name) and at its place.
template <typename Widget>
Widget* place(QWidget* parent, const char* name, QRect geometry) {
    auto* widget = new Widget(parent);
    widget->setObjectName(name);
    widget->setGeometry(geometry);
    return widget;
}

// A button named by its caption; Tab reaches it, a click leaves the focus where it was.
inline QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                           QRect geometry) {
    auto* created = place<QPushButton>(parent, name, geometry);
    created->setText(caption);
    created->setAccessibleName(caption);
    created->setFocusPolicy(Qt::TabFocus);
    return created;
}

inline QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect geometry) {
    auto* created = place<QLabel>(parent, name, geometry);
    created->setText(caption);
    // Font metrics differ a little from the panel's original fonts: never cut a caption short.
    created->resize(std::max(geometry.width(), created->sizeHint().width()), geometry.height());
    return created;
}

}  // namespace orvex::parts
