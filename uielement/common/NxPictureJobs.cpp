#include "NxPictureJobs.h"

#include <QHash>
#include <QMutex>
#include <QSharedPointer>
#include <QThreadPool>
#include <QWaitCondition>

namespace {

struct Job {
    QMutex mutex;
    QWaitCondition done;
    QImage picture;
    bool finished = false;
};

QHash<QString, QSharedPointer<Job>>& jobs()
{
    static QHash<QString, QSharedPointer<Job>> running;
    return running;
}

} // namespace

void NxPictureJobs::start(const QString& key, const std::function<QImage()>& decode)
{
    if (jobs().contains(key))
        return;
    const auto job = QSharedPointer<Job>::create();
    jobs().insert(key, job);
    QThreadPool::globalInstance()->start([job, decode] {
        const QImage picture = decode();
        QMutexLocker locker(&job->mutex);
        job->picture = picture;
        job->finished = true;
        job->done.wakeAll();
    });
}

bool NxPictureJobs::has(const QString& key)
{
    return jobs().contains(key);
}

QImage NxPictureJobs::take(const QString& key)
{
    const QSharedPointer<Job> job = jobs().take(key);
    if (!job)
        return QImage();
    QMutexLocker locker(&job->mutex);
    while (!job->finished)
        job->done.wait(&job->mutex);
    return job->picture;
}
