#include <QApplication>
#include <csignal>

#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/Program.h"
#include "core/Version.h"
#include "ui/ReceiverForm.h"

using namespace orvex;

int main(int argc, char* argv[]) {
    // A closed standard error (`orvex 2>&1 | head -1`) must never end the program, not even while
    // Qt starts and warns: a write to it fails with EPIPE instead.
    std::signal(SIGPIPE, SIG_IGN);
    // The command line is read before the window system is touched, so --help and --version
    // work without a display.
    const Options options = [&] {
        const QCoreApplication reader(argc, argv);
        QCoreApplication::setApplicationName("orvex");
        QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
        return parseCommandLine(argc, argv);
    }();
    QApplication app(argc, argv);

    Program program(options);
    program.setBeep([] { QApplication::beep(); });
    ReceiverForm form(program.host(), QString::fromStdString(program.board().name),
                      QString::fromStdString(program.board().note));
    program.start();
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
