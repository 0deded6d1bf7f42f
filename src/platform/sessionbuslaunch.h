#pragma once

// Finding no session bus, the D-Bus library forks the whole program to run dbus-launch, which
// starts a bus or finds the one started for this display. Where dbus-launch is not installed that
// fork can only fail, and it holds the start up for some 20 ms: the toolkit's accessibility bridge
// asks for the bus while the window is built. There the bus is declared missing instead.
namespace SessionBusLaunch {

// Whether the library would fork to look for a session bus it cannot find.
bool hopeless();
// Declares the session bus missing when looking for it is hopeless. Call before any thread
// starts: it changes the environment, which the children of the program inherit.
void declareMissingWhenHopeless();

} // namespace SessionBusLaunch
