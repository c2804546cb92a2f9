#include "NxThumbnailMaker.h"

#include "NxThumbnailWorker.h"

#include <QDebug>
#include <QFileInfo>
#include <QImageReader>

NxThumbnailMaker::NxThumbnailMaker(QObject* parent)
    : QObject(parent)
    , m_generation(new QAtomicInt(0))
{
    auto* worker = new NxThumbnailWorker(m_generation);
    worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, worker, &QObject::deleteLater);
    connect(this, &NxThumbnailMaker::sigRequested, worker, &NxThumbnailWorker::make, Qt::QueuedConnection);
    connect(worker, &NxThumbnailWorker::sigImageReady, this, &NxThumbnailMaker::sigImageReady, Qt::QueuedConnection);
    m_thread.setObjectName(QStringLiteral("NxThumbnailMaker"));
    m_thread.start(QThread::LowPriority);
}

NxThumbnailMaker::~NxThumbnailMaker()
{
    cancelAll();
    m_thread.quit();
    m_thread.wait();
}

void NxThumbnailMaker::request(const QString& key, const QString& path, int side)
{
    emit sigRequested(key, path, side, m_generation->loadAcquire());
}

void NxThumbnailMaker::cancelAll()
{
    m_generation->fetchAndAddOrdered(1);
}

QImage NxThumbnailMaker::read(const QString& path, int side)
{
    // A named pipe on a stick would hold the worker until something writes to it.
    if (!QFileInfo(path).isFile()) {
        qDebug() << "NxThumbnailMaker::read not a regular file:" << path;
        return QImage();
    }
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    const QSize declared = reader.size();
    if (!declared.isValid() || qint64(declared.width()) * declared.height() > kMaxPixels) {
        qDebug() << "NxThumbnailMaker::read no picture of a sensible size in" << path << declared;
        return QImage();
    }
    if (declared.width() > side || declared.height() > side)
        reader.setScaledSize(declared.scaled(side, side, Qt::KeepAspectRatio));
    QImage image = reader.read();
    if (image.isNull())
        qDebug() << "NxThumbnailMaker::read" << path << reader.errorString();
    return image;
}
