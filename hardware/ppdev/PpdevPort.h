#pragma once

#include <memory>
#include <string>

#include "core/Messages.h"
#include "core/PortIo.h"
#include "hardware/ppdev/ParportLocator.h"
#include "hardware/ppdev/PpdevDevice.h"
#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {

// The board on a real parallel port through Linux's user-space port driver (/dev/parportN).
//
// Choosing a base opens and claims the matching device at once, so the About window can tell the
// operator what happened; an access at another base than the open one opens that base's device.
// Whatever fails — no such port, no permission, the port held by another program or the printer
// driver, an access the kernel refuses — is told once, in plain words with the fix, to the message
// sink; from then on the accesses are dropped until the operator chooses a port again.
class PpdevPort : public PortIo {
public:
    explicit PpdevPort(MessageSink& messages,
                       std::unique_ptr<PpdevSystem> system = makeLinuxPpdevSystem(),
                       PpdevPaths paths = {});

    void write(const PortAccess& access) override;
    std::uint8_t read(const PortAccess& access) override;
    // Opens the base's device unless it is the one already open; choosing the same base again
    // after a failure retries. Base 0 (no port chosen) gives the port up.
    void selectBase(int base) override;
    // The device path while a port is open, else the plain reason why none is.
    std::string describe() const override;

private:
    static int baseOf(const PortAccess& access) {
        return access.address - static_cast<int>(access.reg);
    }

    void open(int base);
    // Opens the access's base when it is not the one tried last; true when a device is there.
    bool reach(const PortAccess& access);
    void fail(std::string message);
    void check(const SysResult& result);

    MessageSink& messages_;
    std::unique_ptr<PpdevSystem> system_;  // outlives device_, which calls it when released
    PpdevPaths paths_;
    int base_ = 0;  // the base of the last open attempt
    std::unique_ptr<PpdevDevice> device_;
    std::string reason_;
};

}  // namespace orvex
