#include "NxThumbnailWorker.h"

#include "NxThumbnailMaker.h"

NxThumbnailWorker::NxThumbnailWorker(QSharedPointer<QAtomicInt> generation)
    : m_generation(generation)
{
}

void NxThumbnailWorker::make(QString key, QString path, int side, int generation)
{
    // Requests of a folder no longer shown are skipped unread.
    if (generation != m_generation->loadAcquire())
        return;
    emit sigImageReady(key, NxThumbnailMaker::read(path, side));
}
