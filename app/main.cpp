#include <QApplication>
#include <QFile>
#include <QIcon>
#include <csignal>
#include <cstdio>

#include "app/ChannelCommands.h"
#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/PassCommands.h"
#include "app/Program.h"
#include "app/ProgramCommands.h"
#include "app/SessionBus.h"
#include "core/Version.h"
#include "ui/ReceiverForm.h"
#include "ui/WindowPlacement.h"

using namespace orvex;

int main(int argc, char* argv[]) {
    // A closed standard error (`orvex 2>&1 | head -1`) must never end the program, not even while
    // Qt starts and warns: a write to it fails with EPIPE instead.
    std::signal(SIGPIPE, SIG_IGN);
    keepRootOffTheSessionBus();
    // The command line is read before the window system is touched, so --help and --version
    // work without a display.
    const Options options = [&] {
        const QCoreApplication reader(argc, argv);
        QCoreApplication::setApplicationName("orvex");
        QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
        return parseCommandLine(argc, argv);
    }();
    if (const std::optional<int> status = runChannelCommand(options)) {
        return *status;
    }
    if (options.headless) {
        // No window and no window system: messages go to standard error.
        const QCoreApplication app(argc, argv);
        Program program(options);
        program.start();
        const bool served = program.remote() != nullptr && program.remote()->isListening();
        if (!served && !program.scanner().running()) {
            return 1;  // nothing to do, and nobody could reach the receiver; the reason is said
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
    // Without a home folder (the settings named with --settings) the window's place is not kept.
    const std::optional<std::filesystem::path> windowState =
        options.windowStatePath.empty() ? WindowPlacement::defaultPath()
                                        : std::filesystem::path(options.windowStatePath);
    std::optional<WindowPlacement> placement;
    if (windowState) {
        placement.emplace(*windowState);
        placement->attach(form);
    }
    // The window owns it. The badge names the trace; the file was opened with the bytes as given.
    new ProgramCommands(form, program,
                        QFile::decodeName(QByteArray::fromStdString(options.tracePath)));
    new PassCommands(form, program);
    program.start();
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
