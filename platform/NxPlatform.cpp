#include "NxPlatform.h"

#include "NxNativeEventsNative.h"
#include "NxShellNative.h"
#include "NxSystemInfoNative.h"

#include <atomic>

namespace {
std::atomic<INxSystemInfo*> g_systemInfo{nullptr};
std::atomic<INxShell*> g_shell{nullptr};
std::atomic<INxNativeEvents*> g_nativeEvents{nullptr};
}

INxSystemInfo* NxPlatform::systemInfo()
{
    if (INxSystemInfo* info = g_systemInfo.load())
        return info;
    static NxSystemInfoNative native;
    return &native;
}

void NxPlatform::setSystemInfo(INxSystemInfo* info)
{
    g_systemInfo.store(info);
}

INxShell* NxPlatform::shell()
{
    if (INxShell* shell = g_shell.load())
        return shell;
    static NxShellNative native;
    return &native;
}

void NxPlatform::setShell(INxShell* shell)
{
    g_shell.store(shell);
}

INxNativeEvents* NxPlatform::nativeEvents()
{
    if (INxNativeEvents* events = g_nativeEvents.load())
        return events;
    static NxNativeEventsNative native;
    return &native;
}

void NxPlatform::setNativeEvents(INxNativeEvents* events)
{
    g_nativeEvents.store(events);
}
