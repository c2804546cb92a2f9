#pragma once

#include "NxPlatformGlobal.h"

class INxNativeEvents;
class INxShell;
class INxSystemInfo;
class INxWindows;
class INxDrives;
class INxProcesses;

// Entry point to the operating-system layer. Product code asks here instead
// of calling the system directly, so its logic runs the same everywhere.
class NX_PLATFORM_EXPORT NxPlatform
{
public:
    static INxSystemInfo* systemInfo();

    // Test seam: replaces the native implementation (not owned; null
    // restores the native one).
    static void setSystemInfo(INxSystemInfo* info);

    static INxShell* shell();
    static void setShell(INxShell* shell);

    static INxNativeEvents* nativeEvents();
    static void setNativeEvents(INxNativeEvents* events);

    static INxWindows* windows();
    static void setWindows(INxWindows* windows);

    static INxDrives* drives();
    static void setDrives(INxDrives* drives);

    static INxProcesses* processes();
    static void setProcesses(INxProcesses* processes);
};
