#pragma once

#include <optional>

#include "app/CommandLine.h"

namespace orvex {

// The command line's work on channel files, done before any board is opened: --check-channels,
// --import-channels and --export-channels. The report goes to standard output, problems to
// standard error. The exit status when one of them was asked: 0 when every row loaded (or the
// export was written), 1 otherwise; nothing when none was.
std::optional<int> runChannelCommand(const Options& options);

}  // namespace orvex
