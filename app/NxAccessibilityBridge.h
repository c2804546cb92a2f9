#pragma once

// Qt's accessibility bridge on X11 looks for the session bus the first time a
// widget reports a change. Where there is no session bus at all (no address
// in the environment, no user bus socket), libdbus runs dbus-launch to start
// one: a child process, and some 5 ms on the GUI thread before the first
// frame. Starting the bridge against an address that names no bus skips
// that; the environment is put back at once, so programs started later look
// for a bus as before.
class NxAccessibilityBridge
{
public:
    // Call once, right after the application object exists.
    static void startWithoutBusLaunch();
    // No session bus address and no user bus socket.
    static bool sessionBusMissing();
};
