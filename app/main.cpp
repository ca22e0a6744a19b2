#include <QApplication>

#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/Program.h"
#include "core/Version.h"
#include "ui/ReceiverForm.h"
#include "ui/WindowPlacement.h"

using namespace orvex;

int main(int argc, char* argv[]) {
    // The command line is read before the window system is touched, so --help and --version
    // work without a display.
    const Options options = [&] {
        const QCoreApplication reader(argc, argv);
        QCoreApplication::setApplicationName("orvex");
        QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
        return parseCommandLine(reader);
    }();
    QApplication app(argc, argv);

    Program program(options);
    program.setBeep([] { QApplication::beep(); });
    ReceiverForm form(program.host(), QString::fromStdString(program.board().name),
                      QString::fromStdString(program.board().note));
    WindowPlacement placement(options.windowStatePath.isEmpty()
                                  ? WindowPlacement::defaultPath()
                                  : std::filesystem::path(options.windowStatePath.toStdString()));
    placement.attach(form);
    program.start();
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
