#include "NxRelaynet.h"

#include "NxNetWorkManager.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>

INxNetWorkManager* NxRelaynet::getInst(QObject* parent)
{
    static QBasicMutex mutex;
    static QPointer<NxNetWorkManager> instance;
    QMutexLocker lock(&mutex);
    // Without a parent the application owns it, so the recorder's thread is
    // still joined at exit.
    if (!instance)
        instance = new NxNetWorkManager(parent ? parent : QCoreApplication::instance());
    return instance.data();
}
