#include "NxTilePictures.h"

#include <QHash>
#include <QMutex>
#include <QSharedPointer>
#include <QThreadPool>
#include <QWaitCondition>

namespace {

QHash<QString, QImage>& store()
{
    static QHash<QString, QImage> pictures;
    return pictures;
}

// A picture being read on a pool thread.
struct PendingRead {
    QMutex mutex;
    QWaitCondition done;
    QImage picture;
    bool finished = false;
};

QHash<QString, QSharedPointer<PendingRead>>& pending()
{
    static QHash<QString, QSharedPointer<PendingRead>> reads;
    return reads;
}

QImage readPicture(const QString& path)
{
    const QSharedPointer<PendingRead> read = pending().take(path);
    if (!read)
        return QImage(path);
    QMutexLocker locker(&read->mutex);
    while (!read->finished)
        read->done.wait(&read->mutex);
    return read->picture;
}

// Copies only the store still refers to.
void dropUnused()
{
    QHash<QString, QImage>& pictures = store();
    for (auto it = pictures.begin(); it != pictures.end();) {
        if (it.value().isDetached())
            it = pictures.erase(it);
        else
            ++it;
    }
}

QImage shrunk(const QImage& image, const QSize& target)
{
    const QSize cover = image.size().scaled(target, Qt::KeepAspectRatioByExpanding);
    if (target.isEmpty() || cover.width() >= image.width() || cover.height() >= image.height())
        return image;
    return image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

void NxTilePictures::preload(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (pending().contains(path))
            continue;
        const auto read = QSharedPointer<PendingRead>::create();
        pending().insert(path, read);
        QThreadPool::globalInstance()->start([read, path] {
            const QImage picture(path);
            QMutexLocker locker(&read->mutex);
            read->picture = picture;
            read->finished = true;
            read->done.wakeAll();
        });
    }
}

QImage NxTilePictures::read(const QString& path, const QSize& target)
{
    return shared(path, target, QImage());
}

QImage NxTilePictures::fit(const QString& address, const QImage& image, const QSize& target)
{
    if (image.isNull())
        return image;
    // Without an address only tiles handed this very picture share it.
    return shared(address.isEmpty() ? QString::number(image.cacheKey()) : address, target, image);
}

int NxTilePictures::count()
{
    dropUnused();
    return store().size();
}

QImage NxTilePictures::shared(const QString& key, const QSize& target, const QImage& source)
{
    const QString sized = QStringLiteral("%1@%2x%3").arg(key).arg(target.width()).arg(target.height());
    QHash<QString, QImage>& pictures = store();
    const auto found = pictures.constFind(sized);
    if (found != pictures.constEnd())
        return found.value();
    dropUnused();
    const QImage picture = shrunk(source.isNull() ? readPicture(key) : source, target);
    if (!picture.isNull())
        pictures.insert(sized, picture);
    return picture;
}
