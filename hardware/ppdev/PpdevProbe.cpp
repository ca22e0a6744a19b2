#include "hardware/ppdev/PpdevProbe.h"

#include "hardware/ppdev/ParportLocator.h"
#include "hardware/ppdev/PpdevMessages.h"

namespace orvex {

PpdevProbe probePpdev(PpdevSystem& system, const std::string& devRoot) {
    std::string firstReason;
    for (const std::string& name : parportNames(system.entries(devRoot))) {
        const std::string path = devRoot + "/" + name;
        const SysResult opened = system.open(path);
        if (!opened.failed()) {
            system.close(opened.value);
            return {path, {}};
        }
        if (firstReason.empty()) {
            firstReason = ppdevFailure(PpdevStep::Open, opened.error, path, path);
        }
    }
    if (firstReason.empty()) {
        firstReason = "No parallel port found in " + devRoot +
                      ": load the parport_pc module (sudo modprobe parport_pc)";
    }
    return {{}, firstReason};
}

}  // namespace orvex
