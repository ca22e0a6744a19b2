#include "ui/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace orvex {

QRect keptOn(const QRect& frame, const QRect& screen) {
    QRect kept = frame;
    kept.moveLeft(
        std::max(screen.left(), std::min(frame.left(), screen.right() + 1 - frame.width())));
    kept.moveTop(
        std::max(screen.top(), std::min(frame.top(), screen.bottom() + 1 - frame.height())));
    return kept;
}

QRect availableArea(const QWidget& widget) {
    const QScreen* screen = widget.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void centreOn(QWidget& window, const QWidget& panel) {
    QRect frame = window.frameGeometry();
    if (!window.isVisible()) {
        // Its frame is not drawn yet: the window manager will give it one like the panel's.
        frame.setSize(window.size() + panel.frameGeometry().size() - panel.size());
    }
    frame.moveCenter(panel.frameGeometry().center());
    const QRect screen = availableArea(panel);
    if (!screen.isEmpty()) {
        frame = keptOn(frame, screen);
    }
    // move() places the frame's top left corner, as frameGeometry() measures it.
    window.move(frame.topLeft());
}

}  // namespace orvex
