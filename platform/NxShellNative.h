#pragma once

#include "INxShell.h"
#include "NxPlatformGlobal.h"

class NX_PLATFORM_EXPORT NxShellNative : public INxShell
{
public:
    bool open(const QString& target, const QString& parameters, Show show) override;
    QString onScreenKeyboard() const override;
};
