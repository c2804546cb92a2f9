#include "NxLocalChannelFile.h"

#include "INxSystemInfo.h"
#include "NxFileNames.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QMutex>
#include <QSaveFile>
#include <QSet>

QString NxLocalChannelFile::channelDir()
{
    const QString configured = QCoreApplication::instance()
        ? QCoreApplication::instance()->property("channelDir").toString() : QString();
    if (!configured.trimmed().isEmpty())
        return configured;
    const QString fallback = NxPlatform::systemInfo()->dataRoot() + QStringLiteral("/Maplo/TavomcPresenterPro/channel");
    qWarning() << "NxLocalChannelFile::channelDir" << "no channel directory configured, using" << fallback;
    QDir().mkpath(fallback);
    return fallback;
}

QString NxLocalChannelFile::readerSpelling(const QString& funcType)
{
    for (const char* name : {"FirstPage", "TV", "TavoChannel"}) {
        if (funcType.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return QLatin1String(name);
    }
    return funcType;
}

QString NxLocalChannelFile::path(const QString& dir, const QString& funcType)
{
    return NxFileNames::resolve(dir, readerSpelling(funcType) + QStringLiteral("_Local.jdx"));
}

namespace {
// Lists of this run that existed but could not be opened (a backup or
// antivirus lock at start): the memory holds none of their channels, so
// a save from this run must not simply replace them.
QSet<QString>& unopened()
{
    static QSet<QString> paths;
    return paths;
}

QMutex& unopenedLock()
{
    static QMutex lock;
    return lock;
}

QString key(const QString& path)
{
    return QFileInfo(path).absoluteFilePath();
}
} // namespace

NxLocalChannelFile::Load NxLocalChannelFile::load(const QString& path, QJsonArray& channels)
{
    channels = QJsonArray();
    QFile file(path);
    if (!file.exists())
        return Load::Absent;
    if (file.size() > kMaxBytes) {
        qWarning() << "NxLocalChannelFile::load" << "refused, larger than" << kMaxBytes << "bytes:" << path << file.size();
        return Load::Damaged;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "NxLocalChannelFile::load" << "cannot open" << path << file.errorString();
        return Load::Unopened;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isArray()) {
        qWarning() << "NxLocalChannelFile::load" << "not a channel list:" << path << error.errorString();
        return Load::Damaged;
    }
    channels = document.array();
    return Load::Read;
}

QJsonArray NxLocalChannelFile::read(const QString& dir, const QString& funcType)
{
    QJsonArray channels;
    const QString file = path(dir, funcType);
    if (load(file, channels) == Load::Unopened) {
        QMutexLocker locker(&unopenedLock());
        unopened().insert(key(file));
    }
    return channels;
}

// A damaged list, or one this run could not read, is kept as "<name>.bad";
// false when that fails, so the save leaves it alone.
bool NxLocalChannelFile::keepEarlierListAside(const QString& path)
{
    bool unread = false;
    {
        QMutexLocker locker(&unopenedLock());
        unread = unopened().contains(key(path));
    }
    QJsonArray ignored;
    const Load state = load(path, ignored);
    if (state == Load::Absent || (state != Load::Damaged && !unread))
        return true;
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    if (!QFile::rename(path, aside)) {
        qWarning() << "NxLocalChannelFile::write" << "cannot keep the earlier list aside, not saved:" << path;
        return false;
    }
    qWarning() << "NxLocalChannelFile::write" << "earlier list kept as" << aside;
    QMutexLocker locker(&unopenedLock());
    unopened().remove(key(path));
    return true;
}

bool NxLocalChannelFile::write(const QString& dir, const QString& funcType, const QJsonArray& channels)
{
    const QString target = path(dir, funcType);
    if (!QDir(dir).exists()) {
        qWarning() << "NxLocalChannelFile::write" << "no such directory, list not saved:" << dir;
        return false;
    }
    if (!keepEarlierListAside(target))
        return false;
    // A power cut during the write must leave the previous list, never half a file.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "NxLocalChannelFile::write" << "cannot open" << target << file.errorString();
        return false;
    }
    const QByteArray text = QJsonDocument(channels).toJson(QJsonDocument::Indented);
    // A short write (full disk) reports no error by itself: check the count.
    if (file.write(text) != text.size()) {
        qWarning() << "NxLocalChannelFile::write" << "cannot write" << target << file.errorString();
        file.cancelWriting();
    }
    if (!file.commit()) {
        qWarning() << "NxLocalChannelFile::write" << "not saved, previous list kept:" << target;
        return false;
    }
    return true;
}
