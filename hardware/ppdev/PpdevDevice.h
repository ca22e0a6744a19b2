#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "core/Lines.h"
#include "hardware/ppdev/PpdevMessages.h"
#include "hardware/ppdev/PpdevSystem.h"

namespace orvex {

// A ppdev device opened and claimed for this program alone. Destroying it releases the claim and
// closes the descriptor, so the port is free again however the backend gives it up.
class PpdevDevice {
public:
    struct Failure {
        PpdevStep step = PpdevStep::Open;
        int error = 0;
    };

    // Opens the device, asks for exclusive use (so the printer driver or a second copy of this
    // program cannot share the lines and interleave its writes with ours), then claims the port.
    static std::variant<std::unique_ptr<PpdevDevice>, Failure> claim(PpdevSystem& system,
                                                                     const std::string& path);

    PpdevDevice(const PpdevDevice&) = delete;
    PpdevDevice& operator=(const PpdevDevice&) = delete;
    ~PpdevDevice();

    // The status register is read-only on the port, so a write to it changes nothing.
    SysResult write(Register reg, std::uint8_t value);
    SysResult read(Register reg, std::uint8_t& value);

    const std::string& path() const { return path_; }

private:
    PpdevDevice(PpdevSystem& system, int fd, std::string path)
        : system_(system), fd_(fd), path_(std::move(path)) {}

    PpdevSystem& system_;
    int fd_;
    std::string path_;
};

}  // namespace orvex
