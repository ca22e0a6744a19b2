#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {

// Where the kernel describes its parallel ports and where their ppdev devices live; tests point
// both at folders of their own.
struct PpdevPaths {
    std::string procRoot = "/proc";
    std::string devRoot = "/dev";
};

// The names of the form parportN among a folder's entries, in the kernel's numbering order
// (parport2 before parport10).
std::vector<std::string> parportNames(const std::vector<std::string>& entries);

// The device serving a port base: the parport whose base address, as the kernel reports it, is
// that base; failing that parport0 for LPT1 and parport1 for LPT2, the kernel's usual numbering.
// Nothing for any other base.
std::optional<std::string> deviceForBase(PpdevSystem& system, const PpdevPaths& paths, int base);

}  // namespace orvex
