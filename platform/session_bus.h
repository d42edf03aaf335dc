#pragma once

#include <string>

// Settles, while the program is still one thread, where the session bus is:
// at the address given, at the user's bus socket, or on a bus that
// dbus-launch starts for the X display, as the bus library would when first
// asked. Started here, before any thread, and waited for two seconds at
// most: the bus library starts it from a program with threads, whose forked
// child can hang, and then waits for it without a limit. Where no bus can be
// had, the address says so, and asking for the bus fails at once.
// Returns the address it set; empty when the bus was found as it was.
std::string settleSessionBus();
