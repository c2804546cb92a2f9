#pragma once

#include "INxShell.h"
#include "NxPlatformGlobal.h"

class NX_PLATFORM_EXPORT NxShellNative : public INxShell
{
public:
    bool open(const QString& target, Show show, QObject* context, const Failure& failed) override;
    bool startProgram(const QString& program, const QString& parameters, Show show) override;
    QString onScreenKeyboard() const override;

    // Whether local videos go to the system's own player unless the
    // configuration says otherwise: where the panels have always done so.
    static bool systemPlaysVideos();
};
