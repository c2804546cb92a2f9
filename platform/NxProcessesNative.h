#pragma once

#include "INxProcesses.h"
#include "NxPlatformGlobal.h"

// The running system's processes; the source file is chosen per system by
// the build (unix/ or win/).
class NX_PLATFORM_EXPORT NxProcessesNative : public INxProcesses
{
public:
    QList<Process> snapshot() override;
    QString imagePath(qint64 processId) override;
    bool terminate(qint64 processId) override;
    QString listing(int timeoutMs) override;
};
