#include "NxMountTable.h"
#include "NxMountWatcher.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// USB volumes seen through a mount table and a sysfs tree made for the test.
class tst_NxMountWatcher : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void parsesMountInfo();
    void usbDeviceFromSysfs();
    void reportsArrivalAndRemoval();
    void existingMountsAreNotReported();
    void removalDuringArrivalHandlerIsReported();
    void pollsOnlyFilesTheKernelCannotFlag_data();
    void pollsOnlyFilesTheKernelCannotFlag();

private:
    void writeMounts(const QStringList& extraLines);
    QString mountInfo() const { return m_dir.path() + "/mountinfo"; }
    QString sysfsBlock() const { return m_dir.path() + "/sys/class/block"; }

    QTemporaryDir m_dir;
};

void tst_NxMountWatcher::init()
{
    // sdb sits on a USB bus, sda on SATA.
    QDir root(m_dir.path());
    root.mkpath("sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/host6/block/sdb/sdb1");
    root.mkpath("sys/devices/pci0000:00/0000:00:17.0/ata1/host0/block/sda/sda2");
    root.mkpath("sys/class/block");
    QFile::link(m_dir.path() + "/sys/devices/pci0000:00/0000:00:14.0/usb1/1-1/1-1:1.0/host6/block/sdb/sdb1",
                sysfsBlock() + "/sdb1");
    QFile::link(m_dir.path() + "/sys/devices/pci0000:00/0000:00:17.0/ata1/host0/block/sda/sda2", sysfsBlock() + "/sda2");
    writeMounts({});
}

void tst_NxMountWatcher::writeMounts(const QStringList& extraLines)
{
    QStringList lines{"22 1 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw",
                      "23 22 0:21 / /proc rw,nosuid shared:12 - proc proc rw"};
    lines += extraLines;
    QFile file(mountInfo());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n').toUtf8() + '\n');
}

void tst_NxMountWatcher::parsesMountInfo()
{
    const auto mounts = NxMountTable::parse("36 35 98:0 /mnt1 /mnt/My\\040Stick rw,noatime master:1 - vfat /dev/sdb1 rw\n"
                                            "garbage line\n"
                                            "40 22 0:5 / /dev rw shared:2 - devtmpfs udev rw\n");
    QCOMPARE(mounts.size(), 2);
    QCOMPARE(mounts.value("/mnt/My Stick"), QString("/dev/sdb1"));
    QCOMPARE(mounts.value("/dev"), QString("udev"));
}

void tst_NxMountWatcher::usbDeviceFromSysfs()
{
    QVERIFY(NxMountTable::isUsbDevice("/dev/sdb1", sysfsBlock()));
    QVERIFY(!NxMountTable::isUsbDevice("/dev/sda2", sysfsBlock()));
    QVERIFY(!NxMountTable::isUsbDevice("proc", sysfsBlock()));
    QVERIFY(!NxMountTable::isUsbDevice("/dev/sdz9", sysfsBlock()));
}

void tst_NxMountWatcher::reportsArrivalAndRemoval()
{
    NxMountWatcher watcher(nullptr, mountInfo(), sysfsBlock());
    QSignalSpy arrived(&watcher, &NxMountWatcher::volumeArrived);
    QSignalSpy removed(&watcher, &NxMountWatcher::volumeRemoved);
    watcher.start(50);
    writeMounts({"40 22 8:17 / /media/teacher/STICK rw,nosuid - vfat /dev/sdb1 rw"});
    QTRY_COMPARE(arrived.size(), 1);
    QCOMPARE(arrived.first().first().toString(), QString("/media/teacher/STICK"));
    QTest::qWait(150);
    QCOMPARE(arrived.size(), 1); // reported once
    writeMounts({});
    QTRY_COMPARE(removed.size(), 1);
    QCOMPARE(removed.first().first().toString(), QString("/media/teacher/STICK"));
}

void tst_NxMountWatcher::existingMountsAreNotReported()
{
    writeMounts({"40 22 8:17 / /media/teacher/STICK rw - vfat /dev/sdb1 rw"});
    NxMountWatcher watcher(nullptr, mountInfo(), sysfsBlock());
    QSignalSpy arrived(&watcher, &NxMountWatcher::volumeArrived);
    watcher.start(50);
    QTest::qWait(200);
    QCOMPARE(arrived.size(), 0);
}

// The arrival opens the file dialog, whose modal loop runs inside the
// report: the teacher pulls the stick and plugs it in again while the dialog
// is up. Both changes are seen there, none late or twice.
void tst_NxMountWatcher::removalDuringArrivalHandlerIsReported()
{
    const QString stick = "40 22 8:17 / /media/teacher/STICK rw - vfat /dev/sdb1 rw";
    NxMountWatcher watcher(nullptr, mountInfo(), sysfsBlock());
    QSignalSpy arrived(&watcher, &NxMountWatcher::volumeArrived);
    QSignalSpy removed(&watcher, &NxMountWatcher::volumeRemoved);
    bool dialogUp = false;
    connect(&watcher, &NxMountWatcher::volumeArrived, this, [&] {
        if (dialogUp)
            return;
        dialogUp = true;
        writeMounts({});
        // Outcomes are judged after the handler; a timeout here shows there.
        (void)QTest::qWaitFor([&] { return removed.size() == 1; }, 3000);
        writeMounts({stick});
        (void)QTest::qWaitFor([&] { return arrived.size() == 2; }, 3000);
    });
    watcher.start(50);
    writeMounts({stick});
    QTRY_COMPARE(arrived.size(), 2);
    QTest::qWait(200);
    QCOMPARE(removed.size(), 1);
    QCOMPARE(arrived.size(), 2);
}

void tst_NxMountWatcher::pollsOnlyFilesTheKernelCannotFlag_data()
{
    QTest::addColumn<bool>("kernelTable");
    QTest::newRow("/proc/self/mountinfo") << true;
    QTest::newRow("plain file") << false;
}

// An idle program must not wake every 1.5 s to read the mount table.
void tst_NxMountWatcher::pollsOnlyFilesTheKernelCannotFlag()
{
    QFETCH(bool, kernelTable);
    NxMountWatcher watcher(nullptr, kernelTable ? QString() : mountInfo(), sysfsBlock());
    watcher.start();
    auto* timer = watcher.findChild<QTimer*>();
    QVERIFY(timer);
    QCOMPARE(timer->isActive(), !kernelTable);
}

QTEST_GUILESS_MAIN(tst_NxMountWatcher)
#include "tst_NxMountWatcher.moc"
