#include "NxPlatform.h"

#include "NxNativeEventsNative.h"
#include "NxShellNative.h"
#include "NxSystemInfoNative.h"
#include "NxWindowsNative.h"
#include "NxDrivesNative.h"
#include "NxProcessesNative.h"

#include <atomic>

namespace {

// One concern of the platform: the native implementation unless a test
// installed its own.
template <typename Interface, typename Native>
class Seam
{
public:
    Interface* get()
    {
        if (Interface* installed = m_installed.load())
            return installed;
        static Native native;
        return &native;
    }
    void set(Interface* installed) { m_installed.store(installed); }

private:
    std::atomic<Interface*> m_installed{nullptr};
};

Seam<INxSystemInfo, NxSystemInfoNative> g_systemInfo;
Seam<INxShell, NxShellNative> g_shell;
Seam<INxNativeEvents, NxNativeEventsNative> g_nativeEvents;
Seam<INxWindows, NxWindowsNative> g_windows;
Seam<INxDrives, NxDrivesNative> g_drives;
Seam<INxProcesses, NxProcessesNative> g_processes;

} // namespace

INxSystemInfo* NxPlatform::systemInfo()
{
    return g_systemInfo.get();
}

void NxPlatform::setSystemInfo(INxSystemInfo* info)
{
    g_systemInfo.set(info);
}

INxShell* NxPlatform::shell()
{
    return g_shell.get();
}

void NxPlatform::setShell(INxShell* shell)
{
    g_shell.set(shell);
}

INxNativeEvents* NxPlatform::nativeEvents()
{
    return g_nativeEvents.get();
}

void NxPlatform::setNativeEvents(INxNativeEvents* events)
{
    g_nativeEvents.set(events);
}

INxWindows* NxPlatform::windows()
{
    return g_windows.get();
}

void NxPlatform::setWindows(INxWindows* windows)
{
    g_windows.set(windows);
}

INxDrives* NxPlatform::drives()
{
    return g_drives.get();
}

void NxPlatform::setDrives(INxDrives* drives)
{
    g_drives.set(drives);
}

INxProcesses* NxPlatform::processes()
{
    return g_processes.get();
}

void NxPlatform::setProcesses(INxProcesses* processes)
{
    g_processes.set(processes);
}
