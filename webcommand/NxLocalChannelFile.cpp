#include "NxLocalChannelFile.h"

#include "INxSystemInfo.h"
#include "NxFileNames.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

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

bool NxLocalChannelFile::load(const QString& path, QJsonArray& channels)
{
    channels = QJsonArray();
    QFile file(path);
    if (!file.exists())
        return true;
    if (file.size() > kMaxBytes) {
        qWarning() << "NxLocalChannelFile::load" << "refused, larger than" << kMaxBytes << "bytes:" << path << file.size();
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "NxLocalChannelFile::load" << "cannot open" << path << file.errorString();
        return true; // unreadable is not damaged: leave it where it is
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isArray()) {
        qWarning() << "NxLocalChannelFile::load" << "not a channel list:" << path << error.errorString();
        return false;
    }
    channels = document.array();
    return true;
}

QJsonArray NxLocalChannelFile::read(const QString& dir, const QString& funcType)
{
    QJsonArray channels;
    load(path(dir, funcType), channels);
    return channels;
}

void NxLocalChannelFile::setAsideIfDamaged(const QString& path)
{
    QJsonArray ignored;
    if (load(path, ignored))
        return;
    const QString aside = path + QStringLiteral(".bad");
    QFile::remove(aside);
    if (QFile::rename(path, aside))
        qWarning() << "NxLocalChannelFile::write" << "damaged list kept as" << aside;
}

bool NxLocalChannelFile::write(const QString& dir, const QString& funcType, const QJsonArray& channels)
{
    const QString target = path(dir, funcType);
    if (!QDir(dir).exists()) {
        qWarning() << "NxLocalChannelFile::write" << "no such directory, list not saved:" << dir;
        return false;
    }
    setAsideIfDamaged(target);
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
