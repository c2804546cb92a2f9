#pragma once

#include "INxDrives.h"
#include "NxPlatformGlobal.h"

// The running system's drives; the source file is chosen per system by the
// build (unix/ or win/). The paths are for tests of the Unix reading.
class NX_PLATFORM_EXPORT NxDrivesNative : public INxDrives
{
public:
    explicit NxDrivesNative(const QString& mountInfoPath = QString(), const QString& sysfsBlockDir = QString());

    QStringList roots() override;
    Type type(const QString& root) override;
    QString driveName(const QString& root) override;
    QString devicePath(const QString& drive) override;
    bool isUsbDevice(const QString& devicePath) override;

private:
    QString m_mountInfoPath;
    QString m_sysfsBlockDir;
};
