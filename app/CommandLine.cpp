#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>
#include <array>
#include <cstdio>
#include <cstdlib>

#include "app/RawArguments.h"
#include "core/Band.h"
#include "core/Lines.h"
#include "settings/SettingsPath.h"

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

// The options QApplication takes for itself. The parser knows them (hidden from the help) only to
// pass them by, with their values; QApplication reads them from the program's arguments.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr std::array<QtOption, 17> QtOptions{{
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"qwindowicon", true},
    {"qwindowtitle", true},
    {"session", true},
    {"display", true},
    {"geometry", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
}};

void addQtOptions(QCommandLineParser& parser) {
    for (const QtOption& qt : QtOptions) {
        QCommandLineOption option(QString::fromUtf8(qt.name));
        if (qt.takesValue) {
            option.setValueName("VALUE");
        }
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// The bytes of a path option's value; an empty one is refused rather than taken for "not given".
std::string pathValue(const QCommandLineParser& parser, const QCommandLineOption& option) {
    const QString value = parser.value(option);
    if (parser.isSet(option) && value.isEmpty()) {
        refuse(QString("--%1 needs a file name.").arg(option.names().front()));
    }
    return argumentBytes(value);
}

}  // namespace

std::string besideSettings(const Options& options, const char* name) {
    return (std::filesystem::path(options.settingsPath).parent_path() / name).string();
}

Options parseCommandLine(int argc, const char* const* argv) {
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
    const QCommandLineOption traceLimit(
        "trace-limit",
        "End the trace and the level log on a complete entry before either grows past SIZE "
        "bytes (default 1G; K, M "
        "and G mean KiB, MiB and GiB; 0 for no limit).",
        "SIZE");
    const QCommandLineOption switchOn("switch-on",
                                      "Switch the receiver on at start, as the Power "
                                      "switch does.");
    const QCommandLineOption rigctl("rigctl",
                                    "Serve Hamlib's rigctl clients (rigctl -m 2, gpredict, ...) "
                                    "on TCP PORT, at 127.0.0.1 unless HOST names another "
                                    "address. The usual port is 4532.",
                                    "[HOST:]PORT");
    const QCommandLineOption rigctlIdle(
        "rigctl-idle",
        "Close a rigctl connection that sends nothing for TIME (default 30m; s, m and h mean "
        "seconds, minutes and hours; 0 for never).",
        "TIME");
    const QCommandLineOption rigctlAllow(
        "rigctl-allow",
        "Take rigctl clients only from loopback and from these addresses or networks, separated "
        "by commas (192.168.1.0/24,10.0.0.7); may be given more than once.",
        "ADDRESSES");
    const QCommandLineOption headless("headless",
                                      "Run without a window, on a machine with no display: the "
                                      "receiver is reached through --rigctl only, or runs a "
                                      "--survey. The port saved "
                                      "at the last power-off is chosen at start unless --port "
                                      "chooses one.");
    parser.addOptions({settings, windowState, board, port, trace, traceLimit, switchOn, rigctl,
                       rigctlIdle, rigctlAllow, headless});
    parser.addOptions(passCommandLineOptions());

    // The channel bank and the activity scanner.
    const QCommandLineOption channels("channels",
                                      "Keep the channel bank in the CHIRP CSV file PATH instead "
                                      "of channels.csv beside the settings file.",
                                      "PATH");
    const QCommandLineOption checkChannels(
        "check-channels",
        "Say which channels of the CHIRP CSV file FILE would load and why any row would not, "
        "then exit: 0 when every row loads, 1 otherwise.",
        "FILE");
    const QCommandLineOption importChannels(
        "import-channels",
        "Merge the channels of the CHIRP CSV file FILE into the bank (a Location already in "
        "the bank is replaced), say what was taken, and exit as --check-channels does.",
        "FILE");
    const QCommandLineOption exportChannels(
        "export-channels", "Write the channel bank into FILE as CHIRP writes CSV, and exit.",
        "FILE");
    const QCommandLineOption scanBank("scan-bank",
                                      "Switch the receiver on and start the activity scanner "
                                      "through the channels of the bank not marked Skip.");
    const QCommandLineOption scanRange(
        "scan-range",
        "Switch the receiver on and start the activity scanner from LOW to HIGH (MHz) on STEP "
        "(kHz), e.g. 137.000:138.000:10.",
        "LOW:HIGH:STEP");
    const QCommandLineOption hitLog("hit-log",
                                    "Log every stretch of activity the scanner stays on into "
                                    "the CSV file FILE, adding to a log that is there.",
                                    "FILE");
    parser.addOptions(
        {channels, checkChannels, importChannels, exportChannels, scanBank, scanRange, hitLog});
    const BandOptionParser bandOptions;
    bandOptions.addTo(parser);
    addQtOptions(parser);
    // "-platform offscreen" as Qt spells its options, rather than the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.process(argumentTexts(argc, argv));

    if (!parser.positionalArguments().isEmpty()) {
        refuse(QString("unexpected argument \"%1\": the program takes options only; a file name "
                       "goes after --settings or --trace.")
                   .arg(parser.positionalArguments().front()));
    }
    Options options;
    options.settingsPath = pathValue(parser, settings);
    if (options.settingsPath.empty()) {
        const std::optional<std::filesystem::path> standard = settingsPath();
        if (!standard) {
            refuse(
                "no home folder is known (HOME is not set and the user database has no entry "
                "for this user), so there is no place for the settings: name the file with "
                "--settings PATH.");
        }
        options.settingsPath = standard->string();
    }
    options.windowStatePath = pathValue(parser, windowState);
    options.tracePath = pathValue(parser, trace);
    if (parser.isSet(traceLimit)) {
        const std::optional<std::uint64_t> limit =
            parseTraceLimit(parser.value(traceLimit).toStdString());
        if (!limit) {
            refuse(QString("unusable trace limit \"%1\": give a size such as 4096, 500M or 2G "
                           "(0 for no limit).")
                       .arg(parser.value(traceLimit)));
        }
        options.traceLimit = *limit;
    }
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
    if ((parser.isSet(rigctlIdle) || parser.isSet(rigctlAllow)) && !options.rigctl) {
        refuse(QString("--%1 needs --rigctl [HOST:]PORT: it sets how the rigctl server takes its "
                       "clients.")
                   .arg(parser.isSet(rigctlIdle) ? "rigctl-idle" : "rigctl-allow"));
    }
    if (parser.isSet(rigctlIdle)) {
        const std::optional<std::chrono::seconds> idle =
            parseIdleTimeout(parser.value(rigctlIdle).toStdString());
        if (!idle) {
            refuse(QString("unusable idle time \"%1\": give a time such as 90s, 30m or 2h, at "
                           "most a week (0 for never).")
                       .arg(parser.value(rigctlIdle).left(64)));
        }
        options.rigctlIdle = *idle;
    }
    for (const QString& addresses : parser.values(rigctlAllow)) {
        QString problem;
        const std::optional<AllowList> allowed = AllowList::parse(addresses, &problem);
        if (!allowed) {
            refuse("--rigctl-allow: " + problem + ".");
        }
        options.rigctlAllow.add(*allowed);
    }
    options.headless = parser.isSet(headless);
    auto band = bandOptions.read(parser);
    if (const auto* problem = std::get_if<QString>(&band)) {
        refuse(*problem);
    }
    options.band = std::get<BandOptions>(band);
    if (options.band.survey && !options.headless) {
        refuse("--survey runs without a window: add --headless.");
    }

    options.channelsPath = pathValue(parser, channels);
    options.checkChannels = pathValue(parser, checkChannels);
    options.importChannels = pathValue(parser, importChannels);
    options.exportChannels = pathValue(parser, exportChannels);
    options.hitLogPath = pathValue(parser, hitLog);
    options.scanBank = parser.isSet(scanBank);
    if (parser.isSet(scanRange)) {
        std::string problem;
        options.scanRange = parseScanRange(parser.value(scanRange).toStdString(), &problem);
        if (!options.scanRange) {
            refuse(QString::fromStdString("--scan-range: " + problem + "."));
        }
    }
    if (options.scanBank && options.scanRange) {
        refuse("--scan-bank and --scan-range: the scanner runs one scan at a time.");
    }
    const bool scans = options.scanBank || options.scanRange;
    if (options.band.survey && scans) {
        refuse("--survey and a scan: the receiver tunes for one of them at a time.");
    }
    if (options.headless && !options.rigctl && !scans && !options.band.survey) {
        refuse(
            "--headless needs --rigctl [HOST:]PORT, a scan (--scan-bank, --scan-range) or "
            "--survey LOW:HIGH:STEP: without a window nobody could reach the receiver.");
    }
    options.passes = readPassOptions(parser, [](const QString& text) { refuse(text); });
    return options;
}

}  // namespace orvex
