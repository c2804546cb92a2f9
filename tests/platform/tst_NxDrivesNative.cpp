#include "NxDrivesNative.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Volumes of a mount table and a sysfs tree made for the test: block
// devices only, USB sticks as removable drives.
class tst_NxDrivesNative : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roots();
    void types_data();
    void types();

private:
    QTemporaryDir m_dir;
    QString mountInfo() const { return m_dir.path() + "/mountinfo"; }
    QString sysfsBlock() const { return m_dir.path() + "/sys/class/block"; }
};

void tst_NxDrivesNative::initTestCase()
{
    QDir root(m_dir.path());
    const QString usb = "sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/host6/block/sdb/sdb1";
    const QString sata = "sys/devices/pci0000:00/0000:00:17.0/ata1/host0/block/sda/sda2";
    root.mkpath(usb);
    root.mkpath(sata);
    root.mkpath("sys/class/block");
    QFile::link(m_dir.path() + "/" + usb, sysfsBlock() + "/sdb1");
    QFile::link(m_dir.path() + "/" + sata, sysfsBlock() + "/sda2");
    QFile file(mountInfo());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n"
               "23 22 0:21 / /proc rw,nosuid shared:12 - proc proc rw\n"
               "24 22 0:23 / /run rw shared:3 - tmpfs tmpfs rw\n"
               "25 22 7:0 / /snap/core/1 ro shared:4 - squashfs /dev/loop0 ro\n"
               "40 22 8:17 / /media/teacher/MY\\040STICK rw,nosuid - vfat /dev/sdb1 rw\n");
}

void tst_NxDrivesNative::roots()
{
    NxDrivesNative drives(mountInfo(), sysfsBlock());
    QStringList roots = drives.roots();
    roots.sort();
    QCOMPARE(roots, QStringList({"/", "/media/teacher/MY STICK"}));
}

void tst_NxDrivesNative::types_data()
{
    QTest::addColumn<QString>("root");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("usb");
    QTest::newRow("system disk") << "/" << int(INxDrives::Type::Fixed) << false;
    QTest::newRow("stick") << "/media/teacher/MY STICK/" << int(INxDrives::Type::Removable) << true;
    QTest::newRow("pseudo") << "/proc" << int(INxDrives::Type::NoRootDir) << false;
    QTest::newRow("image") << "/snap/core/1" << int(INxDrives::Type::NoRootDir) << false;
    QTest::newRow("not mounted") << "/mnt/none" << int(INxDrives::Type::NoRootDir) << false;
}

void tst_NxDrivesNative::types()
{
    QFETCH(QString, root);
    QFETCH(int, type);
    QFETCH(bool, usb);
    NxDrivesNative drives(mountInfo(), sysfsBlock());
    QCOMPARE(int(drives.type(root)), type);
    const QString drive = drives.driveName(root);
    QVERIFY(!drive.endsWith('/') || drive == "/");
    QCOMPARE(drives.isUsbDevice(drives.devicePath(drive)), usb);
}

QTEST_MAIN(tst_NxDrivesNative)
#include "tst_NxDrivesNative.moc"
