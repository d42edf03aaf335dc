#pragma once

// Where the session bus can neither be found nor started, says so in the
// environment before anything asks for it. Without a bus address and without
// the user's bus socket, asking for the bus forks the program to run
// dbus-launch; where that is not installed, the fork only costs the start
// its time, and the answer is "no bus" either way. Call it while the program
// is still one thread. True when it marked the bus as unreachable.
bool markUnreachableSessionBus();
