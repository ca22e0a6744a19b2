// The yardstick for the panel: the least a Qt 6 widgets program does to show a window. With
// --tick it also runs a 100 ms timer, as the panel's measurement does, that only counts (the
// yardstick for idle CPU).
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include "app/FirstFrameExit.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window("A bare Qt 6 window");
    window.resize(497, 230);
    orvex::FirstFrameExit::installIfAsked(window);
    QTimer tick;
    int count = 0;
    QObject::connect(&tick, &QTimer::timeout, &window, [&count] { ++count; });
    if (QApplication::arguments().contains(QStringLiteral("--tick"))) {
        tick.start(100);
    }
    window.show();
    return QApplication::exec();
}
