#pragma once

#include "NxPlatformGlobal.h"

#include <QByteArray>
#include <QMap>
#include <QString>

// The mounts listed in a Linux mountinfo file.
class NX_PLATFORM_EXPORT NxMountTable
{
public:
    // Mount point → mount source (e.g. "/media/t/STICK" → "/dev/sdb1").
    static QMap<QString, QString> parse(const QByteArray& mountInfo);
    // True when the block device behind source hangs off a USB bus,
    // according to the sysfs block directory given.
    static bool isUsbDevice(const QString& source, const QString& sysfsBlockDir);

private:
    static QString unescape(const QByteArray& field);
};
