#include "NxFileLister.h"

#include "NxFilePlaces.h"

#include <QDebug>
#include <QDir>

QVector<NxFileEntry> NxFileLister::list(const QString& pass, const QString& path, const QStringList& patterns,
                                        bool followLinks)
{
    const QString folder = NxFilePlaces::fullPath(pass, path);
    QDir dir(folder);
    QDir::Filters filters = QDir::AllDirs | QDir::Files | QDir::Drives | QDir::NoDotAndDotDot;
    if (!followLinks)
        filters |= QDir::NoSymLinks;
    dir.setFilter(filters);
    dir.setNameFilters(patterns);
    dir.setSorting(QDir::Name | QDir::DirsFirst | QDir::IgnoreCase);
    if (!dir.isReadable())
        qDebug() << "NxFileLister::list cannot read" << folder;
    const QFileInfoList infos = dir.entryInfoList();
    QVector<NxFileEntry> entries;
    entries.reserve(infos.size());
    for (const QFileInfo& info : infos) {
        NxFileEntry entry;
        entry.name = info.fileName();
        entry.isDir = info.isDir();
        entry.date = dateText(info.lastModified());
        if (!entry.isDir)
            entry.size = sizeText(info.size());
        entry.pass = pass;
        entry.path = path;
        entry.fullPath = info.filePath();
        entries.append(entry);
    }
    return entries;
}

QString NxFileLister::dateText(const QDateTime& time)
{
    return time.toString(QStringLiteral("yyyy-M-d h:mm"));
}

QString NxFileLister::sizeText(qint64 bytes)
{
    static const char* const kUnits[] = {"B", "KB", "MB", "GB", "TB", "PB"};
    int unit = 0;
    qint64 whole = bytes;
    qint64 rest = 0;
    while (whole >= 1024 && unit < 5) {
        rest = whole % 1024;
        whole /= 1024;
        ++unit;
    }
    if (unit == 0)
        return QString::number(whole) + QLatin1String(kUnits[0]);
    // One decimal from the remainder below the unit, truncated.
    return QStringLiteral("%1.%2%3").arg(whole).arg(rest * 10 / 1024).arg(QLatin1String(kUnits[unit]));
}
