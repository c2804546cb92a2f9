#include "NxMountWatcher.h"

#include "NxMountTable.h"

#include <QFile>
#include <QSet>
#include <QSocketNotifier>
#include <QTimer>

struct NxMountWatcher::Private {
    QString mountInfoPath;
    QString sysfsBlockDir;
    QSet<QString> usbMounts;
    QTimer* timer = nullptr;
    QFile mountInfo;
    QSocketNotifier* notifier = nullptr;

    QSet<QString> currentUsbMounts() const
    {
        QFile file(mountInfoPath);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QSet<QString> found;
        const QMap<QString, QString> mounts = NxMountTable::parse(file.readAll());
        for (auto it = mounts.cbegin(); it != mounts.cend(); ++it) {
            if (NxMountTable::isUsbDevice(it.value(), sysfsBlockDir))
                found.insert(it.key());
        }
        return found;
    }
};

NxMountWatcher::NxMountWatcher(QObject* parent, const QString& mountInfoPath, const QString& sysfsBlockDir)
    : QObject(parent)
    , d(new Private)
{
    d->mountInfoPath = mountInfoPath.isEmpty() ? QStringLiteral("/proc/self/mountinfo") : mountInfoPath;
    d->sysfsBlockDir = sysfsBlockDir.isEmpty() ? QStringLiteral("/sys/class/block") : sysfsBlockDir;
    d->timer = new QTimer(this);
    connect(d->timer, &QTimer::timeout, this, &NxMountWatcher::check);
}

NxMountWatcher::~NxMountWatcher() = default;

void NxMountWatcher::start(int pollIntervalMs)
{
    d->usbMounts = d->currentUsbMounts();
    // The kernel flags its mount tables as exceptional when they change, so
    // an idle program is never woken to look; the timer covers other files
    // (tests), which cannot be watched that way.
    d->mountInfo.setFileName(d->mountInfoPath);
    if (!d->notifier && d->mountInfo.open(QIODevice::ReadOnly)) {
        d->notifier = new QSocketNotifier(d->mountInfo.handle(), QSocketNotifier::Exception, this);
        connect(d->notifier, &QSocketNotifier::activated, this, &NxMountWatcher::check);
    }
    if (!d->notifier || !d->mountInfoPath.startsWith(QLatin1String("/proc/")))
        d->timer->start(pollIntervalMs);
}

void NxMountWatcher::check()
{
    // A receiver may run a dialog's modal loop. Reported from the event loop,
    // after this look is kept and has returned: a look that is still running
    // is not run again inside that loop (timers and watched files do not
    // recurse), and the changes made meanwhile would be lost.
    const QSet<QString> before = d->usbMounts;
    d->usbMounts = d->currentUsbMounts();
    for (const QString& mount : d->usbMounts - before)
        QMetaObject::invokeMethod(this, [this, mount] { emit volumeArrived(mount); }, Qt::QueuedConnection);
    for (const QString& mount : before - d->usbMounts)
        QMetaObject::invokeMethod(this, [this, mount] { emit volumeRemoved(mount); }, Qt::QueuedConnection);
}
