#pragma once

#include <QCoreApplication>
#include <QString>
#include <optional>

#include "app/Backends.h"
#include "remote/ListenAddress.h"

namespace orvex {

struct Options {
    QString settingsPath;     // empty: the XDG location
    QString windowStatePath;  // empty: window.ini in the XDG location
    const Backend* board = &Backends.front();
    std::optional<int> portBase;  // --port: 888 or 632
    QString tracePath;
    bool switchOn = false;
    std::optional<ListenAddress> rigctl;  // --rigctl: serve rigctl clients there
    bool headless = false;                // --headless: no window; needs --rigctl
};

// Reads the command line; prints help, the version or what is wrong, and exits, as a Linux
// program does.
Options parseCommandLine(const QCoreApplication& app);

}  // namespace orvex
