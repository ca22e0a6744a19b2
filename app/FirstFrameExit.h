#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

namespace orvex {

// For the start-up benchmark: ends the process at once when `window` has drawn its first frame,
// so the time a process takes is its time to the first frame. Set ORVEX_EXIT_AFTER_FIRST_FRAME.
class FirstFrameExit : public QObject {
public:
    static void installIfAsked(QWidget& window) {
        if (qEnvironmentVariableIsSet("ORVEX_EXIT_AFTER_FIRST_FRAME")) {
            window.installEventFilter(new FirstFrameExit(&window));
        }
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // Once this paint event has been delivered and the frame flushed.
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return false;
    }

private:
    explicit FirstFrameExit(QObject* parent) : QObject(parent) {}
};

}  // namespace orvex
