#include "NxRecentFiles.h"

#include "NxCloudUtils.h"
#include "NxFilePlaces.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QSet>

NxRecentFiles& NxRecentFiles::instance()
{
    static NxRecentFiles store;
    return store;
}

QString NxRecentFiles::listName(const QString& type)
{
    return type == QLatin1String("image") ? type : QStringLiteral("courseware");
}

QString NxRecentFiles::filePath(const QString& type)
{
    QString dir = QCoreApplication::instance() ? QCoreApplication::instance()->property("recentFileDir").toString()
                                               : QString();
    if (dir.isEmpty())
        return QString();
    if (!dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1Char('\\')))
        dir += QLatin1Char('/');
    return dir + listName(type) + QStringLiteral("_files.json");
}

NxRecentFiles::Entry NxRecentFiles::fromJson(const QJsonObject& object)
{
    auto text = [&object](const char* key) { return object.value(QLatin1String(key)).toString(); };
    return {text("strPass"), text("strPath"), text("strName"), text("strNetId"), text("strDate"), text("recentFileType")};
}

QJsonObject NxRecentFiles::toJson(const Entry& entry)
{
    return {{QStringLiteral("strPass"), entry.strPass},   {QStringLiteral("strPath"), entry.strPath},
            {QStringLiteral("strName"), entry.strName},   {QStringLiteral("strNetId"), entry.strNetId},
            {QStringLiteral("strDate"), entry.strDate},   {QStringLiteral("recentFileType"), entry.recentFileType}};
}

QList<NxRecentFiles::Entry>& NxRecentFiles::list(const QString& type)
{
    const QString name = listName(type);
    auto it = m_lists.find(name);
    if (it != m_lists.end())
        return it.value();
    QList<Entry> loaded;
    QSet<QString> seen;
    const QString path = filePath(type);
    // A damaged file reads as an empty array: the list starts afresh.
    for (const QJsonValue& value : NxCloudUtils::getJsonArray(path)) {
        const Entry entry = fromJson(value.toObject());
        if (!entry.strName.isEmpty() && loaded.size() < kMaxEntries && !seen.contains(identity(entry))) {
            seen.insert(identity(entry));
            loaded.append(entry);
        }
    }
    return m_lists.insert(name, loaded).value();
}

void NxRecentFiles::add(const Entry& entry)
{
    QList<Entry>& entries = list(entry.recentFileType);
    const QString file = identity(entry);
    for (int i = entries.size() - 1; i >= 0; --i) {
        if (identity(entries.at(i)) == file)
            entries.removeAt(i);
    }
    entries.prepend(entry);
    while (entries.size() > kMaxEntries)
        entries.removeLast();
    m_lastFolder = {entry.strPass, entry.strPath, entry.strNetId};
    save(entry.recentFileType);
}

// One file reached through two places (the desktop and the disk holding
// it) is one entry: local files compare by their absolute paths.
QString NxRecentFiles::identity(const Entry& entry)
{
    if (NxFilePlaces::isCloud(entry.strPass))
        return QStringList{entry.strPass, entry.strPath, entry.strName, entry.strNetId}.join(QLatin1Char('|'));
    const QFileInfo info(NxFilePlaces::fullPath(entry.strPass, entry.strPath + QLatin1Char('/') + entry.strName));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QList<NxRecentFiles::Entry> NxRecentFiles::entries(const QString& type)
{
    return list(type);
}

void NxRecentFiles::reload()
{
    m_lists.clear();
    m_lastFolder = HistoryDir();
}

void NxRecentFiles::save(const QString& type)
{
    const QString path = filePath(type);
    if (path.isEmpty()) {
        qWarning() << "NxRecentFiles::save no recentFileDir set";
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QJsonArray array;
    for (const Entry& entry : list(type))
        array.append(toJson(entry));
    NxCloudUtils::writeJsonArray(path, array);
}

bool NxRecentFiles::thumbnailMode() const
{
    return m_thumbnailMode;
}

void NxRecentFiles::setThumbnailMode(bool on)
{
    m_thumbnailMode = on;
}

HistoryDir NxRecentFiles::lastFolder() const
{
    return m_lastFolder;
}
