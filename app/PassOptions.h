#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "controls/PassChoices.h"

namespace orvex {

// What the command line says of satellite passes and their trackers.
struct PassOptions {
    bool rigctlVfo = false;   // --rigctl-vfo: every connection in Hamlib's VFO mode
    std::string folder;       // --pass-folder, the bytes as given, or the XDG location
    std::string choicesPath;  // --pass-choices, or passes.ini in the XDG location
    // Choices for this run, over those of the file; not saved.
    std::optional<bool> switchOnAtAos;
    std::optional<bool> switchOffAtLos;
    std::optional<std::chrono::seconds> marginBefore;
    std::optional<std::chrono::seconds> marginAfter;
    std::optional<std::chrono::seconds> quietTimeout;
    std::optional<std::chrono::seconds> longest;

    // The file's choices with this run's over them.
    PassChoices over(PassChoices fromFile) const;
};

// The options, for the parser's help, in the order they are listed.
QList<QCommandLineOption> passCommandLineOptions();
// Reads them once the parser has processed the command line; `refuse` tells what is wrong and
// exits.
PassOptions readPassOptions(const QCommandLineParser& parser,
                            const std::function<void(const QString&)>& refuse);

}  // namespace orvex
