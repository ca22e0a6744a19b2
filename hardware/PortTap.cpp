#include "hardware/PortTap.h"

#include <algorithm>

namespace orvex {

PortTap::PortTap(PortIo& inner, Delay& innerDelay) : inner_(inner), innerDelay_(innerDelay) {
    inner_.listenToOwnWrites(&ownWrites_);
}

PortTap::~PortTap() {
    inner_.listenToOwnWrites(nullptr);
}

// Told after the backend has it: what the backend does on the way (claim a port and silence it)
// then comes first, as it came first on the lines.
void PortTap::write(const PortAccess& access) {
    inner_.write(access);
    tell(AccessKind::Write, access);
}

std::uint8_t PortTap::read(const PortAccess& access) {
    PortAccess answered = access;
    const std::uint8_t byte = inner_.read(access);
    answered.value = access.dropped ? 0 : byte;
    tell(AccessKind::Read, answered);
    return answered.value;
}

void PortTap::pause(std::chrono::microseconds length) {
    for (PortListener* listener : listeners_) {
        listener->paused(length);
    }
    innerDelay_.pause(length);
}

void PortTap::addListener(PortListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end()) {
        listeners_.push_back(&listener);
    }
}

void PortTap::removeListener(PortListener& listener) {
    std::erase(listeners_, &listener);
}

// A listener that comes or goes hears neither more nor less than what happened while it listened.
void PortTap::addBatchListener(BatchPortListener& listener) {
    deliver();
    if (std::find(batchListeners_.begin(), batchListeners_.end(), &listener) ==
        batchListeners_.end()) {
        batchListeners_.push_back(&listener);
    }
    batching_ = true;
    lastData_ = -1;
    askInterest();
}

void PortTap::removeBatchListener(BatchPortListener& listener) {
    deliver();
    std::erase(batchListeners_, &listener);
    batching_ = !batchListeners_.empty();
    askInterest();
}

void PortTap::deliver() {
    const std::span<const HeardAccess> heard(batch_.begin(), next_);
    const PassedBy passedBy = passedBy_;
    next_ = batch_.begin();
    passedBy_ = {};
    for (BatchPortListener* listener : batchListeners_) {
        listener->heardAll(heard, passedBy);
    }
}

void PortTap::askInterest() {
    BatchInterest all{0, false};
    for (const BatchPortListener* listener : batchListeners_) {
        const BatchInterest interest = listener->interest();
        all.dataLines |= interest.dataLines;
        all.statusReads = all.statusReads || interest.statusReads;
    }
    interest_ = all;
}

void PortTap::tellEveryone(AccessKind kind, const PortAccess& access) {
    for (PortListener* listener : listeners_) {
        listener->heard(kind, access);
    }
}

}  // namespace orvex
