#pragma once

namespace orvex {

// A run with root rights and no session bus named (sudo -E over ssh with X forwarding) must not
// start one: D-Bus would launch a bus for root and leave root's files in the user's home
// (~/.dbus/session-bus/…), where whatever a root run makes belongs to the user or is not made.
// The panel works without a session bus. Points it at an address nothing listens on, before Qt
// first looks for one; every other run is left as it is.
void keepRootOffTheSessionBus();

}  // namespace orvex
