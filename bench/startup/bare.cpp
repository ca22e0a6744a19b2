// The yardstick for the panel's start-up: the least a Qt 6 widgets program does to show a window.
#include <QApplication>
#include <QLabel>

#include "app/FirstFrameExit.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel window("A bare Qt 6 window");
    window.resize(497, 230);
    orvex::FirstFrameExit::installIfAsked(window);
    window.show();
    return QApplication::exec();
}
