#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/Program.h"
#include "app/ProgramCommands.h"
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
    QGuiApplication::setDesktopFileName(ORVEX_APP_ID);
    // The desktop entry's icon is the windows' too; Qt draws it with a plugin of its own.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/" ORVEX_APP_ID ".svg")));
    if (QApplication::windowIcon().pixmap(16).isNull()) {
        std::fprintf(stderr,
                     "orvex: The window icon cannot be drawn: Qt's SVG plugins are missing "
                     "(install libqt6svg6)\n");
    }

    Program program(options);
    program.setBeep([] { QApplication::beep(); });
    ReceiverForm form(program.host(), QString::fromStdString(program.board().name),
                      QString::fromStdString(program.board().note));
    WindowPlacement placement(options.windowStatePath.isEmpty()
                                  ? WindowPlacement::defaultPath()
                                  : std::filesystem::path(options.windowStatePath.toStdString()));
    placement.attach(form);
    new ProgramCommands(form, program, options.tracePath);  // the window owns it
    program.start();
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
