#include "app/SessionBus.h"

#include <unistd.h>

#include <cstdlib>

namespace orvex {

void keepRootOffTheSessionBus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (::geteuid() == 0 && (address == nullptr || *address == '\0')) {
        // A socket address that is no socket: connecting fails at once, and nothing is launched.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/dev/null", 1);
    }
}

}  // namespace orvex
