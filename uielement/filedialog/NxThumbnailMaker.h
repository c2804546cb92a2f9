#pragma once

#include "TavoUIElementGlobal.h"

#include <QAtomicInt>
#include <QImage>
#include <QObject>
#include <QSharedPointer>
#include <QSize>
#include <QThread>

// Reads pictures of a listing on a worker thread, each scaled down as it is
// decoded; results come back queued on the thread that owns the maker.
class TAVOUIELEMENT_EXPORT NxThumbnailMaker : public QObject
{
    Q_OBJECT

public:
    // Pictures declaring more pixels than this are never decoded.
    static const qint64 kMaxPixels = 64LL * 1024 * 1024;

    explicit NxThumbnailMaker(QObject* parent = nullptr);
    ~NxThumbnailMaker() override;

    // Asks for the picture at path fitted into side x side; key comes back.
    void request(const QString& key, const QString& path, int side);
    // Drops every request not yet done (a new folder is shown).
    void cancelAll();

    // The picture fitted into side x side, or a null image when it cannot
    // be read or declares huge dimensions.
    static QImage read(const QString& path, int side);

signals:
    void sigImageReady(QString key, QImage image);
    void sigRequested(QString key, QString path, int side, int generation);

private:
    QThread m_thread;
    QSharedPointer<QAtomicInt> m_generation;
};
