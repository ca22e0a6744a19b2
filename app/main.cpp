#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "app/Board.h"
#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/TerminationSignals.h"
#include "controls/MessageQueue.h"
#include "controls/Receiver.h"
#include "controls/ReceiverHost.h"
#include "hardware/SleepingDelay.h"
#include "hardware/ppdev/PpdevPort.h"
#include "hardware/trace/OpenTrace.h"
#include "settings/IniFileStore.h"
#include "settings/SettingsPath.h"
#include "ui/ReceiverForm.h"

using namespace orvex;

int main(int argc, char* argv[]) {
    // The command line is read before the window system is touched, so --help and --version
    // work without a display.
    const Options options = [&] {
        const QCoreApplication reader(argc, argv);
        QCoreApplication::setApplicationName("orvex");
        QCoreApplication::setApplicationVersion(ORVEX_VERSION);
        return parseCommandLine(reader);
    }();
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(ORVEX_APP_ID);

    MessageQueue messages;
    // The desktop entry's icon is the windows' too; Qt draws it with a plugin of its own.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/" ORVEX_APP_ID ".svg")));
    if (QApplication::windowIcon().pixmap(16).isNull()) {
        messages.post(
            "The window icon cannot be drawn: Qt's SVG plugins are missing "
            "(install libqt6svg6)");
    }
    IniFileStore settings(options.settingsPath.isEmpty()
                              ? settingsPath()
                              : std::filesystem::path(options.settingsPath.toStdString()),
                          messages);
    Board board = openBoard(options.board, messages);
    SleepingDelay sleeping;
    std::unique_ptr<TracePort> trace;
    if (!options.tracePath.isEmpty()) {
        trace = openTrace(options.tracePath.toStdString(), *board.io, sleeping, messages);
    }
    if (trace && board.parport != nullptr) {
        board.parport->observeOwnWrites(
            [&trace](const PortAccess& access) { trace->recordInnerWrite(access); });
    }
    PortIo& io = trace ? static_cast<PortIo&>(*trace) : *board.io;
    Delay& delay = trace ? static_cast<Delay&>(*trace) : sleeping;

    Receiver receiver(io, delay, settings, messages);
    ReceiverHost host(receiver, messages);
    QObject::connect(&host, &ReceiverHost::message, [](const QString& text) {
        std::fprintf(stderr, "orvex: %s\n", qPrintable(text));
    });
    // Every way out ends at once: nothing is switched off or saved, the board runs on.
    const auto endAtOnce = [&trace](bool beep) {
        if (beep) {
            QApplication::beep();
        }
        if (trace) {
            trace->flush();
        }
        std::fflush(stderr);
        std::_Exit(0);
    };
    QObject::connect(&host, &ReceiverHost::endRequested,
                     [&endAtOnce](Ending ending) { endAtOnce(ending == Ending::Exit); });
    const TerminationSignals onTermination([&endAtOnce] { endAtOnce(false); });

    ReceiverForm form(host, board.name, board.note);
    host.run([](Receiver& r) { r.Form_Load(); });
    if (options.portBase) {
        host.run([base = *options.portBase](Receiver& r) {
            r.choosePort(static_cast<std::int16_t>(base));
        });
    }
    if (options.switchOn) {
        host.run([](Receiver& r) { r.Toggle7_Change(true); });
    }
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
