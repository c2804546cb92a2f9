#include "NxDrivesNative.h"

#include "NxMountTable.h"

#include <QDebug>
#include <QFile>
#include <QMap>

namespace {

QMap<QString, QString> readMounts(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "NxDrivesNative::readMounts cannot read" << path;
        return {};
    }
    return NxMountTable::parse(file.readAll());
}

// Only block devices hold the teacher's files; proc, tmpfs, cgroup and the
// like name no device, and loop devices are mounted images.
bool isVolumeSource(const QString& source)
{
    return source.startsWith(QLatin1String("/dev/")) && !source.startsWith(QLatin1String("/dev/loop"));
}

QString withoutTrailingSlash(const QString& path)
{
    return path.size() > 1 && path.endsWith(QLatin1Char('/')) ? path.left(path.size() - 1) : path;
}

} // namespace

NxDrivesNative::NxDrivesNative(const QString& mountInfoPath, const QString& sysfsBlockDir)
    : m_mountInfoPath(mountInfoPath.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : mountInfoPath)
    , m_sysfsBlockDir(sysfsBlockDir.isEmpty() ? QStringLiteral("/sys/class/block") : sysfsBlockDir)
{
}

QStringList NxDrivesNative::roots()
{
    QStringList found;
    const QMap<QString, QString> mounts = readMounts(m_mountInfoPath);
    for (auto it = mounts.cbegin(); it != mounts.cend(); ++it) {
        if (isVolumeSource(it.value()))
            found.append(it.key());
    }
    return found;
}

INxDrives::Type NxDrivesNative::type(const QString& root)
{
    const QString source = readMounts(m_mountInfoPath).value(withoutTrailingSlash(root));
    if (!isVolumeSource(source))
        return Type::NoRootDir;
    return NxMountTable::isUsbDevice(source, m_sysfsBlockDir) ? Type::Removable : Type::Fixed;
}

QString NxDrivesNative::driveName(const QString& root)
{
    return withoutTrailingSlash(root);
}

// A mount point stands for its device here.
QString NxDrivesNative::devicePath(const QString& drive)
{
    return drive;
}

bool NxDrivesNative::isUsbDevice(const QString& devicePath)
{
    const QString source = readMounts(m_mountInfoPath).value(withoutTrailingSlash(devicePath));
    return isVolumeSource(source) && NxMountTable::isUsbDevice(source, m_sysfsBlockDir);
}
