#include "hardware/ppdev/PpdevMessages.h"

#include <cerrno>
#include <system_error>

#include "core/Lines.h"

namespace orvex {
namespace {

std::string reason(int error) {
    return std::generic_category().message(error);
}

bool missing(int error) {
    return error == ENOENT || error == ENODEV || error == ENXIO;
}

bool denied(int error) {
    return error == EACCES || error == EPERM;
}

}  // namespace

std::string portName(int base, const std::string& device) {
    switch (base) {
        case Lpt1Base:
            return "LPT1";
        case Lpt2Base:
            return "LPT2";
        default:
            return device;
    }
}

std::string ppdevFailure(PpdevStep step, int error, const std::string& device,
                         const std::string& port) {
    if (step == PpdevStep::Use) {
        // The port was working; whatever broke, retrying is the operator's call.
        return "Lost " + device + " (" + reason(error) + "): port accesses are dropped; choose " +
               port + " again in About to reopen it";
    }
    if (missing(error)) {
        return "No parallel port at " + device +
               ": load the parport_pc module (sudo modprobe parport_pc), or start with --board sim";
    }
    if (denied(error)) {
        return "No permission to use " + device +
               ": join the lp group (sudo usermod -aG lp $USER) and log in again";
    }
    if (error == EBUSY) {
        return port +
               " is in use by another program or by the printer driver: close the other program, "
               "or unload the printer driver (sudo rmmod lp)";
    }
    return "Cannot " + std::string(step == PpdevStep::Open ? "open " : "claim ") + device + " (" +
           reason(error) + "): check that the port is enabled, or start with --board sim";
}

std::string noPortAtBase(int base) {
    return "No parallel port has the base address " + std::to_string(base) +
           ": choose LPT1 or LPT2 in About";
}

}  // namespace orvex
