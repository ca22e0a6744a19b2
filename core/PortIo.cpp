#include "core/PortIo.h"

#include "core/PortListener.h"

namespace orvex {

void PortIo::reportOwnWrite(const PortAccess& access) {
    if (ownWrites_ != nullptr) {
        ownWrites_->heard(AccessKind::Write, access);
    }
}

}  // namespace orvex
