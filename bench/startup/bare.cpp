// The yardstick for the panel: the least a Qt 6 widgets program does to show a window. With
// --tick it also shows a count that a 100 ms timer advances, the least a window that shows a
// measurement ten times a second does (the yardstick for idle CPU).
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
    QObject::connect(&tick, &QTimer::timeout, &window,
                     [&window, &count] { window.setText(QString::number(++count)); });
    if (QApplication::arguments().contains(QStringLiteral("--tick"))) {
        tick.start(100);
    }
    window.show();
    return QApplication::exec();
}
