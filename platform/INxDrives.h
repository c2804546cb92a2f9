#pragma once

#include <QString>
#include <QStringList>

// The machine's volumes: what kind of drive each root is and which ones sit
// on a USB bus. A drive is named as the rest of the program names it: "E:"
// on Windows, the mount point elsewhere.
class INxDrives
{
public:
    // The kinds GetDriveTypeW tells apart, in its order.
    enum class Type { Unknown, NoRootDir, Removable, Fixed, Remote, CdRom, RamDisk };

    virtual ~INxDrives() = default;

    // Roots as QDir::drives() gives them ("E:/"; mount points elsewhere,
    // without pseudo file systems).
    virtual QStringList roots() = 0;
    virtual Type type(const QString& root) = 0;
    // The drive name of a root ("E:/" gives "E:").
    virtual QString driveName(const QString& root) = 0;
    // The device path the storage query opens for a drive ("\\.\E:").
    virtual QString devicePath(const QString& drive) = 0;
    // True when the storage device behind that path reports a USB bus.
    virtual bool isUsbDevice(const QString& devicePath) = 0;
};
