#pragma once

#include "INxNativeEvents.h"
#include "NxPlatformGlobal.h"

class NX_PLATFORM_EXPORT NxNativeEventsNative : public INxNativeEvents
{
public:
    NxNativeMessage decode(const QByteArray& eventType, void* message) const override;
    void refuseActivation(void* message, long* result) const override;
    bool reportsCaptionActivation() const override;
};
