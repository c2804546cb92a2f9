#include "NxPlatform.h"

#include "NxSystemInfoNative.h"

#include <atomic>

namespace {
std::atomic<INxSystemInfo*> g_systemInfo{nullptr};
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
