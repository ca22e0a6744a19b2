#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cstdio>
#include <cstdlib>

#include "core/Band.h"
#include "core/Lines.h"

namespace orvex {
namespace {

[[noreturn]] void refuse(const QString& text) {
    std::fprintf(stderr, "orvex: %s\nTry 'orvex --help' for the options.\n", qPrintable(text));
    std::exit(2);
}

// "auto, sim or parport"
QString inWords(const QStringList& names) {
    QString words;
    for (qsizetype i = 0; i < names.size(); ++i) {
        words += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    }
    return words;
}

}  // namespace

Options parseCommandLine(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QString("Front panel of the ORVEX FM receiver board (%1) on a parallel port.\n"
                "Without the board it runs on a simulated one.")
            .arg(QString::fromStdString(bandText())));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption settings("settings",
                                      "Use the settings file PATH instead of "
                                      "$XDG_CONFIG_HOME/orvex/ORVEX.ini.",
                                      "PATH");
    const QCommandLineOption windowState("window-state",
                                         "Keep the window's place and zoom in PATH instead of "
                                         "$XDG_CONFIG_HOME/orvex/window.ini.",
                                         "PATH");
    QStringList boardNames;
    QStringList boardHelp;
    for (const Backend& backend : Backends) {
        boardNames << QString::fromUtf8(backend.name);
        boardHelp << QStringLiteral("%1 (%2)").arg(QString::fromUtf8(backend.name),
                                                   QString::fromUtf8(backend.help));
    }
    const QCommandLineOption board("board", "Which board: " + boardHelp.join(", ") + ".",
                                   boardNames.join('|'), boardNames.front());
    const QCommandLineOption port("port",
                                  "Choose LPT1 (base 888) or LPT2 (base 632) at start, as "
                                  "choosing it in the About window does.",
                                  "lpt1|lpt2");
    const QCommandLineOption trace("trace",
                                   "Record every port access and pause in FILE: a value "
                                   "change dump when FILE ends in .vcd, text otherwise.",
                                   "FILE");
    const QCommandLineOption switchOn("switch-on",
                                      "Switch the receiver on at start, as the Power "
                                      "switch does.");
    const QCommandLineOption rigctl("rigctl",
                                    "Serve Hamlib's rigctl clients (rigctl -m 2, gpredict, ...) "
                                    "on TCP PORT, at 127.0.0.1 unless HOST names another "
                                    "address. The usual port is 4532.",
                                    "[HOST:]PORT");
    const QCommandLineOption headless("headless",
                                      "Run without a window, on a machine with no display: the "
                                      "receiver is reached through --rigctl only. The port saved "
                                      "at the last power-off is chosen at start unless --port "
                                      "chooses one.");
    parser.addOptions({settings, windowState, board, port, trace, switchOn, rigctl, headless});
    parser.process(app);

    Options options;
    options.settingsPath = parser.value(settings);
    options.windowStatePath = parser.value(windowState);
    options.tracePath = parser.value(trace);
    options.switchOn = parser.isSet(switchOn);

    const QString boardName = parser.value(board).toLower();
    options.board = findBackend(boardName.toStdString());
    if (options.board == nullptr) {
        refuse(QString("unknown board \"%1\": use %2.").arg(boardName, inWords(boardNames)));
    }
    if (parser.isSet(port)) {
        const QString portName = parser.value(port).toLower();
        if (portName == "lpt1") {
            options.portBase = Lpt1Base;
        } else if (portName == "lpt2") {
            options.portBase = Lpt2Base;
        } else {
            refuse(QString("unknown port \"%1\": use lpt1 or lpt2.").arg(portName));
        }
    }
    if (parser.isSet(rigctl)) {
        QString problem;
        options.rigctl = parseListenAddress(parser.value(rigctl), &problem);
        if (!options.rigctl) {
            refuse("--rigctl: " + problem + ".");
        }
    }
    options.headless = parser.isSet(headless);
    if (options.headless && !options.rigctl) {
        refuse(
            "--headless needs --rigctl [HOST:]PORT: without a window nobody could reach the "
            "receiver.");
    }
    return options;
}

}  // namespace orvex
