#include "NxWebLocalCache.h"

#include "NxPictureReader.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace {

const char kIndexName[] = "NXT_ImgCache.jdx";
// Parsed, an index costs many times its size: a runaway one is not read.
const qint64 kMaxIndexBytes = 8LL * 1024 * 1024;
// Decoding ahead would only compete with the program's first frames for the
// processor; a picture asked for sooner is decoded when it is asked for.
const int kDecodeAheadDelayMs = 1000;

bool writeAtomically(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write (full disk) reports no error by itself: check the count.
    if (file.write(data) != data.size())
        file.cancelWriting();
    return file.commit();
}

} // namespace

NxWebLocalCache::NxWebLocalCache(QObject* parent)
    : QObject(parent)
{
}

NxWebLocalCache::~NxWebLocalCache()
{
    qDebug() << "NxWebLocalCache::~NxWebLocalCache" << objectName();
}

QString NxWebLocalCache::cacheDir() const
{
    return m_cacheDir;
}

int NxWebLocalCache::count() const
{
    QMutexLocker locker(&m_mutex);
    return m_entries.size();
}

qint64 NxWebLocalCache::decodedBytes() const
{
    QMutexLocker locker(&m_mutex);
    return m_decodedBytes;
}

void NxWebLocalCache::setMemoryBudget(qint64 bytes)
{
    QMutexLocker locker(&m_mutex);
    m_budget = bytes;
    trimToBudget();
}

QString NxWebLocalCache::extensionFor(const QString& url)
{
    // Only the path names a file type; a query such as "?v=2" must never
    // reach the file name, where Windows would refuse it.
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{1,5}$"));
    const QString path = QUrl(url).path();
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    return suffix.match(extension).hasMatch() ? extension : QStringLiteral(".png");
}

QString NxWebLocalCache::fileNameFor(const QString& dir, const QDateTime& time, int counter, const QString& extension)
{
    return QStringLiteral("%1%2_%3%4").arg(dir, time.toString(QStringLiteral("dd_hh_mm_ss")), QString::number(counter), extension);
}

void NxWebLocalCache::slotStartImgCache(QString sDir)
{
    m_cacheDir = sDir;
    if (!m_cacheDir.endsWith(QLatin1Char('/')) && !m_cacheDir.endsWith(QLatin1Char('\\')))
        m_cacheDir += QLatin1Char('/');
    m_indexPath = m_cacheDir + QLatin1String(kIndexName);
    QElapsedTimer timer;
    timer.start();
    loadIndex();
    dropMissingFiles();
    qDebug() << "NxWebLocalCache::init" << " load_cahe: " << timer.elapsed();
    // A caller on another thread may have no event loop to wait in.
    if (QThread::currentThread() == thread())
        QTimer::singleShot(kDecodeAheadDelayMs, this, &NxWebLocalCache::decodeAhead);
    else
        decodeAhead();
}

void NxWebLocalCache::loadIndex()
{
    QFile file(m_indexPath);
    if (m_indexPath.isEmpty() || !file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > kMaxIndexBytes) {
        qWarning() << "NxWebLocalCache::loadIndex" << m_indexPath << "too large:" << file.size()
                   << "bytes; starting empty, the index is written anew";
        return;
    }
    QMap<QString, Entry> entries;
    for (const QJsonValue& value : QJsonDocument::fromJson(file.readAll()).array()) {
        const QJsonObject element = value.toObject();
        Entry entry;
        entry.path = element.value(QStringLiteral("file")).toString();
        entries.insert(element.value(QStringLiteral("url")).toString(), entry);
    }
    QMutexLocker locker(&m_mutex);
    m_entries = entries;
    m_recent.clear();
    m_toDecode.clear();
    m_decodedBytes = 0;
}

void NxWebLocalCache::dropMissingFiles()
{
    QMutexLocker locker(&m_mutex);
    for (auto it = m_entries.begin(); it != m_entries.end();) {
        if (QFileInfo::exists(it.value().path)) {
            m_toDecode.append(it.key());
            ++it;
            continue;
        }
        qDebug() << "NxWebLocalCache::loadImages" << "file not found! " << it.value().path;
        it = m_entries.erase(it);
    }
}

bool NxWebLocalCache::isDecodingAhead() const
{
    QMutexLocker locker(&m_mutex);
    return !m_toDecode.isEmpty();
}

void NxWebLocalCache::decodeAhead()
{
    const int batch = 16;
    {
        QMutexLocker locker(&m_mutex);
        for (int i = 0; i < batch && !m_toDecode.isEmpty() && m_decodedBytes < m_budget; ++i) {
            const QString url = m_toDecode.takeFirst();
            const auto it = m_entries.find(url);
            if (it == m_entries.end() || it.value().decoded || decodeEntry(url, it.value()))
                continue;
            qDebug() << "NxWebLocalCache::loadImages" << "file not readable! " << it.value().path;
            m_entries.erase(it);
        }
        if (m_decodedBytes >= m_budget)
            m_toDecode.clear();
        if (m_toDecode.isEmpty())
            return;
    }
    // Queued, so that requests waiting on this thread are served in between.
    QMetaObject::invokeMethod(this, &NxWebLocalCache::decodeAhead, Qt::QueuedConnection);
}

bool NxWebLocalCache::decodeEntry(const QString& url, Entry& entry)
{
    const QImage image = NxPictureReader::fromFile(entry.path);
    if (image.isNull())
        return false;
    remember(url, entry, image);
    return true;
}

void NxWebLocalCache::remember(const QString& url, Entry& entry, const QImage& image)
{
    forget(entry);
    entry.image = image;
    entry.decoded = true;
    m_recent.push_front(url);
    entry.recent = m_recent.begin();
    m_decodedBytes += image.sizeInBytes();
}

void NxWebLocalCache::touch(Entry& entry)
{
    m_recent.splice(m_recent.begin(), m_recent, entry.recent);
}

void NxWebLocalCache::forget(Entry& entry)
{
    if (!entry.decoded)
        return;
    m_decodedBytes -= entry.image.sizeInBytes();
    m_recent.erase(entry.recent);
    entry.image = QImage();
    entry.decoded = false;
}

void NxWebLocalCache::trimToBudget()
{
    while (m_decodedBytes > m_budget && m_recent.size() > 1) {
        const auto it = m_entries.find(m_recent.back());
        if (it == m_entries.end()) {
            m_recent.pop_back();
            continue;
        }
        forget(it.value());
    }
}

bool NxWebLocalCache::find(const QString& url, QImage& image)
{
    if (url.startsWith(QLatin1String("file://"))) {
        image = NxPictureReader::fromFile(url.mid(7));
        if (!image.isNull())
            return true;
    }
    QMutexLocker locker(&m_mutex);
    const auto it = m_entries.find(url);
    if (it == m_entries.end())
        return false;
    Entry& entry = it.value();
    if (entry.decoded) {
        touch(entry);
    } else if (!decodeEntry(url, entry)) {
        // The file went missing or bad since start: fetch it again.
        qDebug() << "NxWebLocalCache::find" << "file not found! " << entry.path;
        m_entries.erase(it);
        return false;
    } else {
        trimToBudget();
    }
    image = entry.image;
    return true;
}

QString NxWebLocalCache::newFilePath(const QString& extension) const
{
    // A long page scrolled quickly brings more than a hundred pictures in a
    // second: the counter goes on rather than overwrite another's file.
    const QDateTime now = QDateTime::currentDateTime();
    for (int counter = 0;; ++counter) {
        const QString path = fileNameFor(m_cacheDir, now, counter, extension);
        if (!QFileInfo::exists(path))
            return path;
    }
}

void NxWebLocalCache::addImageCache(const QString& url, const QByteArray& data, const QImage& image)
{
    const QString path = newFilePath(extensionFor(url));
    if (!writeAtomically(path, data))
        qDebug() << "NxWebLocalCache::addImageCache" << "cannot write" << path;
    {
        QMutexLocker locker(&m_mutex);
        Entry& entry = m_entries[url];
        entry.path = path;
        remember(url, entry, image);
        trimToBudget();
    }
    qDebug() << "NxWebLocalCache::addImageCache" << " localcahe: " << url << path;
    saveIndex();
}

void NxWebLocalCache::saveIndex()
{
    if (m_indexPath.isEmpty())
        return;
    QJsonArray index;
    {
        QMutexLocker locker(&m_mutex);
        for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it)
            index.append(QJsonObject{{QStringLiteral("url"), it.key()}, {QStringLiteral("file"), it.value().path}});
    }
    if (!writeAtomically(m_indexPath, QJsonDocument(index).toJson(QJsonDocument::Indented)))
        qDebug() << "NxWebLocalCache::saveIndex" << "cannot write" << m_indexPath;
}
