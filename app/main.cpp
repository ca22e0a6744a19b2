#include <QApplication>

#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/Program.h"
#include "core/Version.h"
#include "ui/ReceiverForm.h"

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
    if (options.headless) {
        // No window and no window system: messages go to standard error.
        const QCoreApplication app(argc, argv);
        Program program(options);
        program.start();
        if (!program.remote()->isListening()) {
            return 1;  // nobody could reach the receiver; the reason is on standard error
        }
        return QCoreApplication::exec();
    }
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
