#pragma once

#include "NxPlatformGlobal.h"

#include <QObject>
#include <QString>

#include <memory>

// Reports USB volumes that appear or disappear while the program runs. On
// Windows the device-change message does this and the watcher stays quiet.
class NX_PLATFORM_EXPORT NxMountWatcher : public QObject
{
    Q_OBJECT

public:
    // The paths are for tests; by default the running system's are used.
    explicit NxMountWatcher(QObject* parent = nullptr, const QString& mountInfoPath = QString(),
                            const QString& sysfsBlockDir = QString());
    ~NxMountWatcher() override;

    // Remembers what is mounted now (not reported) and starts watching.
    void start(int pollIntervalMs = 1500);
    // Compares with the last look and reports the differences.
    void check();

signals:
    void volumeArrived(QString name);
    void volumeRemoved(QString name);

private:
    struct Private;
    std::unique_ptr<Private> d;
};
