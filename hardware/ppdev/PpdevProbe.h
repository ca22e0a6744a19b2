#pragma once

#include <string>

#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {

// Whether this computer offers a parallel port the program may open, for choosing the board at
// start-up: the first device that opens, or the plain reason none does.
struct PpdevProbe {
    std::string device;
    std::string reason;

    bool found() const { return !device.empty(); }
};

// Only opens and closes: claiming would make the kernel change the control lines, and the board's
// audio with them, before the operator has chosen anything.
PpdevProbe probePpdev(PpdevSystem& system, const std::string& devRoot = "/dev");

}  // namespace orvex
