#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

namespace orvex {

enum class BoardKind { Auto, Simulated, Parport };

struct Options {
    QString settingsPath;  // empty: the XDG location
    BoardKind board = BoardKind::Auto;
    std::optional<int> portBase;  // --port: 888 or 632
    QString tracePath;
    bool switchOn = false;
};

// Reads the command line; prints help, the version or what is wrong, and exits, as a Linux
// program does.
Options parseCommandLine(const QCoreApplication& app);

}  // namespace orvex
