#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/Backends.h"
#include "app/BandOptions.h"
#include "app/PassOptions.h"
#include "controls/ActivityScanner.h"
#include "hardware/trace/TraceLimit.h"
#include "remote/AllowList.h"
#include "remote/IdleTimeout.h"
#include "remote/ListenAddress.h"

namespace orvex {

struct Options {
    std::string settingsPath;     // the bytes as given, or the XDG location
    std::string windowStatePath;  // the bytes as given; empty: window.ini in the XDG location
    const Backend* board = &Backends.front();
    std::optional<int> portBase;                   // --port: 888 or 632
    std::string tracePath;                         // the bytes as given; empty: no trace
    std::uint64_t traceLimit = DefaultTraceLimit;  // --trace-limit, bytes; 0: none
    bool switchOn = false;
    std::optional<ListenAddress> rigctl;                   // --rigctl: serve rigctl clients there
    std::chrono::seconds rigctlIdle = DefaultIdleTimeout;  // --rigctl-idle; 0: never
    AllowList rigctlAllow;  // --rigctl-allow: loopback and these only; none named: everyone
    bool headless = false;  // --headless: no window; needs --rigctl, a scan or --survey
    PassOptions passes;     // satellite passes and Hamlib's VFO mode
    BandOptions band;       // the simulated band, the band survey and the level log

    // The channel bank and the activity scanner. Paths are the bytes as given.
    std::string channelsPath;    // --channels, else channels.csv beside the settings file
    std::string checkChannels;   // --check-channels FILE: say what would load, and exit
    std::string importChannels;  // --import-channels FILE: merge into the bank, and exit
    std::string exportChannels;  // --export-channels FILE: write the bank there, and exit
    bool scanBank = false;       // --scan-bank: the activity scanner through the bank at start
    std::optional<ScanRange> scanRange;  // --scan-range LOW:HIGH:STEP at start
    std::string hitLogPath;              // --hit-log FILE
};

// The file beside the settings file that holds `name` (channels.csv, scanner.ini).
std::string besideSettings(const Options& options, const char* name);

// Reads the command line (a QCoreApplication must exist); prints help, the version or what is
// wrong, and exits, as a Linux program does. Qt's own options (-platform offscreen, -style ...)
// are passed by for QApplication to take.
Options parseCommandLine(int argc, const char* const* argv);

}  // namespace orvex
