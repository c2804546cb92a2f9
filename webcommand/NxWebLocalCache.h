#pragma once

#include "TavoWebCommandGlobal.h"

#include <QDateTime>
#include <QImage>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QStringList>

#include <list>

// Keeps every downloaded channel picture as a file in the channel directory,
// listed in an index, so pictures survive a restart without network.
// The cache answers as soon as its index is read; a second later pictures are
// decoded ahead in small batches between requests. Decoded pictures are kept in
// memory up to a budget; past it the least recently used are dropped and
// decoded again on their next hit.
class TAVOWEBCOMMAND_EXPORT NxWebLocalCache : public QObject
{
    Q_OBJECT

public:
    explicit NxWebLocalCache(QObject* parent = nullptr);
    ~NxWebLocalCache() override;

    bool find(const QString& url, QImage& image);
    void addImageCache(const QString& url, const QByteArray& data, const QImage& image);

    QString cacheDir() const;
    int count() const;
    qint64 decodedBytes() const;
    bool isDecodingAhead() const;
    void setMemoryBudget(qint64 bytes);

    static QString extensionFor(const QString& url);
    static QString fileNameFor(const QString& dir, const QDateTime& time, int counter, const QString& extension);

public slots:
    void slotStartImgCache(QString sDir);

private:
    struct Entry {
        QString path;
        QImage image;
        std::list<QString>::iterator recent;
        bool decoded = false;
    };

    void loadIndex();
    void dropMissingFiles();
    void decodeAhead();
    void saveIndex();
    QString newFilePath(const QString& extension) const;
    bool decodeEntry(const QString& url, Entry& entry);
    void remember(const QString& url, Entry& entry, const QImage& image);
    void touch(Entry& entry);
    void forget(Entry& entry);
    void trimToBudget();

    QString m_cacheDir;
    QString m_indexPath;
    mutable QMutex m_mutex;
    QMap<QString, Entry> m_entries;
    std::list<QString> m_recent; // decoded entries, most recently used first
    qint64 m_decodedBytes = 0;
    // Tiles keep their own copies at the size they show, so full decodes
    // are only worth keeping for a few quick repeats.
    qint64 m_budget = 8LL * 1024 * 1024;
    QStringList m_toDecode; // index order, decoded ahead while within budget
};
