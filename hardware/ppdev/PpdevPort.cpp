#include "hardware/ppdev/PpdevPort.h"

#include "core/Lines.h"
#include "core/Messages.h"
#include "hardware/ppdev/PpdevMessages.h"

namespace orvex {

PpdevPort::PpdevPort(MessageSink& messages, std::unique_ptr<PpdevSystem> system, PpdevPaths paths)
    : messages_(messages),
      system_(std::move(system)),
      paths_(std::move(paths)),
      reason_(NoPortChosen) {}

void PpdevPort::write(const PortAccess& access) {
    if (access.dropped || !reach(access)) {
        return;
    }
    check(device_->write(access.reg, access.value));
}

std::uint8_t PpdevPort::read(const PortAccess& access) {
    if (access.dropped || !reach(access)) {
        return 0;
    }
    std::uint8_t value = 0;
    const SysResult result = device_->read(access.reg, value);
    check(result);
    return result.failed() ? 0 : value;
}

void PpdevPort::selectBase(int base) {
    if (base == base_ && device_ != nullptr) {
        return;
    }
    open(base);
}

std::string PpdevPort::describe() const {
    return device_ != nullptr ? device_->path() : reason_;
}

bool PpdevPort::reach(const PortAccess& access) {
    if (baseOf(access) != base_) {
        open(baseOf(access));
    }
    return device_ != nullptr;
}

void PpdevPort::open(int base) {
    // Give the old port up first: with exclusive use, the same device cannot be claimed twice.
    device_.reset();
    base_ = base;
    if (base == 0) {
        reason_ = NoPortChosen;
        return;
    }
    const auto path = deviceForBase(*system_, paths_, base);
    if (!path) {
        fail(noPortAtBase(base));
        return;
    }
    auto claimed = PpdevDevice::claim(*system_, *path);
    if (const auto* failure = std::get_if<PpdevDevice::Failure>(&claimed)) {
        fail(ppdevFailure(failure->step, failure->error, *path, portName(base, *path)));
        return;
    }
    device_ = std::move(std::get<std::unique_ptr<PpdevDevice>>(claimed));

    // The kernel puts its own byte on the control lines when a port is claimed, which opens the
    // audio; silence it before anything else reaches the board.
    const PortAccess silence{base + value(Register::Control), Register::Control,
                             static_cast<std::uint8_t>(SilentVolumeCode), false};
    check(device_->write(silence.reg, silence.value));
    if (device_ != nullptr) {
        reportOwnWrite(silence);
    }
}

void PpdevPort::check(const SysResult& result) {
    if (result.failed()) {
        const std::string path = device_->path();
        fail(ppdevFailure(PpdevStep::Use, result.error, path, portName(base_, path)));
    }
}

void PpdevPort::fail(std::string message) {
    device_.reset();
    reason_ = message;
    messages_.post(std::move(message));
}

}  // namespace orvex
