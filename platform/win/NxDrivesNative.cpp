#include "NxDrivesNative.h"

#include <QDir>

#include <windows.h>
#include <winioctl.h>

NxDrivesNative::NxDrivesNative(const QString& mountInfoPath, const QString& sysfsBlockDir)
    : m_mountInfoPath(mountInfoPath)
    , m_sysfsBlockDir(sysfsBlockDir)
{
}

QStringList NxDrivesNative::roots()
{
    QStringList found;
    for (const QFileInfo& drive : QDir::drives())
        found.append(drive.path());
    return found;
}

INxDrives::Type NxDrivesNative::type(const QString& root)
{
    const std::wstring path = root.toStdWString();
    switch (GetDriveTypeW(path.c_str())) {
    case DRIVE_NO_ROOT_DIR: return Type::NoRootDir;
    case DRIVE_REMOVABLE: return Type::Removable;
    case DRIVE_FIXED: return Type::Fixed;
    case DRIVE_REMOTE: return Type::Remote;
    case DRIVE_CDROM: return Type::CdRom;
    case DRIVE_RAMDISK: return Type::RamDisk;
    default: return Type::Unknown;
    }
}

QString NxDrivesNative::driveName(const QString& root)
{
    return QString(root).remove(QLatin1Char('/'));
}

QString NxDrivesNative::devicePath(const QString& drive)
{
    return QStringLiteral("\\\\.\\") + drive;
}

bool NxDrivesNative::isUsbDevice(const QString& devicePath)
{
    const std::wstring path = devicePath.toStdWString();
    HANDLE device = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    STORAGE_PROPERTY_QUERY query;
    ZeroMemory(&query, sizeof(query));
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    // The start of the descriptor holds the bus type; 40 bytes reach it.
    BYTE buffer[40] = {};
    DWORD returned = 0;
    const BOOL ok = DeviceIoControl(device, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof(query), buffer, sizeof(buffer),
                                    &returned, nullptr);
    CloseHandle(device);
    const auto* descriptor = reinterpret_cast<const STORAGE_DEVICE_DESCRIPTOR*>(buffer);
    return ok && descriptor->BusType == BusTypeUsb;
}
