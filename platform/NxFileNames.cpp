#include "NxFileNames.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

QString NxFileNames::resolve(const QString& dir, const QString& name)
{
    const QDir directory(dir);
    if (QFileInfo::exists(directory.filePath(name)))
        return directory.filePath(name);
    const QStringList entries = directory.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return directory.filePath(entry);
    }
    return directory.filePath(name);
}

QString NxFileNames::shellTarget(const QString& target)
{
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1)
        return target;
    return QString(target).replace(QLatin1Char('/'), QLatin1Char('\\'));
}
