#pragma once

#include "INxSystemInfo.h"
#include "NxPlatformGlobal.h"

// The running system's answers; the source file is chosen per system by the
// build (unix/ or win/).
class NX_PLATFORM_EXPORT NxSystemInfoNative : public INxSystemInfo
{
public:
    QString dataRoot() const override;
    QString defaultLogDir() const override;
    QString instanceServerName(const QString& appId) const override;
    QString instanceLockPath(const QString& appId) const override;
    QString resetPrivateTempDir(const QString& appId) const override;
    bool isWindows10() const override;
    QString kernelVersion() const override;
    QString executablePath(const QString& dir, const QString& baseName) const override;
};
