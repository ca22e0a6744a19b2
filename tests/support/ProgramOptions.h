#pragma once

#include <filesystem>

#include "app/CommandLine.h"

namespace orvex::test {

// The program as the command line sets it up on the steady simulated band, switched on at LPT1,
// its settings in `folder`, with a trace into `trace` when one is named.
inline Options switchedOnOptions(const std::filesystem::path& folder,
                                 const std::filesystem::path& trace = {}) {
    Options options;
    options.board = findBackend("sim");
    options.band.simulated.live = false;
    options.settingsPath = (folder / "ORVEX.ini").string();
    options.portBase = Lpt1Base;
    options.switchOn = true;
    options.tracePath = trace.string();
    return options;
}

}  // namespace orvex::test
