#include <QApplication>
#include <QFile>
#include <QIcon>
#include <csignal>
#include <cstdio>

#include "app/BandCommands.h"
#include "app/ChannelCommands.h"
#include "app/CommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/PassCommands.h"
#include "app/Program.h"
#include "app/ProgramCommands.h"
#include "app/SessionBus.h"
#include "app/SurveyRun.h"
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
        std::unique_ptr<std::ostream> surveyCsv;
        if (options.band.survey) {
            auto opened = SurveyRun::openCsv(options.band.surveyCsvPath, options.settingsPath);
            if (const auto* refusal = std::get_if<std::string>(&opened)) {
                std::fprintf(stderr, "orvex: %s\n", refusal->c_str());
                return 2;
            }
            surveyCsv = std::move(std::get<std::unique_ptr<std::ostream>>(opened));
        }
        Program program(options);
        program.start();
        // A survey runs on without clients, unless they were asked for and cannot reach it.
        const bool served = program.remote() != nullptr && program.remote()->isListening();
        if (!served && !program.scanner().running() &&
            (program.remote() != nullptr || !options.band.survey)) {
            return 1;  // nothing to do, and nobody could reach the receiver; the reason is said
        }
        std::unique_ptr<SurveyRun> survey;
        if (options.band.survey) {
            const std::string name = options.band.surveyCsvPath == "-"
                                         ? std::string("standard output")
                                         : options.band.surveyCsvPath;
            survey = std::make_unique<SurveyRun>(program, *options.band.survey,
                                                 std::move(surveyCsv), name);
            // The program ends with the survey, unless it serves rigctl clients too.
            if (program.remote() == nullptr) {
                QObject::connect(survey.get(), &SurveyRun::finished, [](int status) {
                    // Also when it ends before the event loop runs.
                    QMetaObject::invokeMethod(
                        QCoreApplication::instance(), [status] { QCoreApplication::exit(status); },
                        Qt::QueuedConnection);
                });
            }
            if (!survey->start()) {
                return 2;
            }
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
    new BandCommands(form, program);
    new PassCommands(form, program);
    program.start();
    FirstFrameExit::installIfAsked(form);
    form.show();
    return QApplication::exec();
}
