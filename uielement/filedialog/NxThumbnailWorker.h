#pragma once

#include <QAtomicInt>
#include <QImage>
#include <QObject>
#include <QSharedPointer>

// The worker-thread half of NxThumbnailMaker.
class NxThumbnailWorker : public QObject
{
    Q_OBJECT

public:
    explicit NxThumbnailWorker(QSharedPointer<QAtomicInt> generation);

public slots:
    void make(QString key, QString path, int side, int generation);

signals:
    void sigImageReady(QString key, QImage image);

private:
    QSharedPointer<QAtomicInt> m_generation;
};
