#include "hardware/ppdev/PpdevDevice.h"

#include "hardware/ppdev/PpdevRequests.h"

namespace orvex {

std::variant<std::unique_ptr<PpdevDevice>, PpdevDevice::Failure> PpdevDevice::claim(
    PpdevSystem& system, const std::string& path) {
    const SysResult opened = system.open(path);
    if (opened.failed()) {
        return Failure{PpdevStep::Open, opened.error};
    }
    for (const unsigned long request : {ppdev::Exclusive, ppdev::Claim}) {
        const SysResult result = system.ioctl(opened.value, request, nullptr);
        if (result.failed()) {
            system.close(opened.value);
            return Failure{PpdevStep::Claim, result.error};
        }
    }
    return std::unique_ptr<PpdevDevice>(new PpdevDevice(system, opened.value, path));
}

PpdevDevice::~PpdevDevice() {
    system_.ioctl(fd_, ppdev::Release, nullptr);
    system_.close(fd_);
}

SysResult PpdevDevice::write(Register reg, std::uint8_t value) {
    switch (reg) {
        case Register::Data:
            return system_.ioctl(fd_, ppdev::WriteData, &value);
        case Register::Control:
            return system_.ioctl(fd_, ppdev::WriteControl, &value);
        case Register::Status:
            break;
    }
    return {};
}

SysResult PpdevDevice::read(Register reg, std::uint8_t& value) {
    switch (reg) {
        case Register::Data:
            return system_.ioctl(fd_, ppdev::ReadData, &value);
        case Register::Status:
            return system_.ioctl(fd_, ppdev::ReadStatus, &value);
        case Register::Control:
            return system_.ioctl(fd_, ppdev::ReadControl, &value);
    }
    return {};
}

}  // namespace orvex
