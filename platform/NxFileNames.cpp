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

bool NxFileNames::runsAsProgram(const QString& target)
{
    static const QStringList programTypes{
        QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("bat"), QStringLiteral("cmd"), QStringLiteral("scr"),
        QStringLiteral("pif"), QStringLiteral("cpl"), QStringLiteral("msi"), QStringLiteral("msc"), QStringLiteral("lnk"),
        QStringLiteral("hta"), QStringLiteral("vbs"), QStringLiteral("vbe"), QStringLiteral("js"),  QStringLiteral("jse"),
        QStringLiteral("wsf"), QStringLiteral("wsh"), QStringLiteral("ps1")};
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1 && !url.isLocalFile())
        return false;
    const QString path = url.isLocalFile() ? url.toLocalFile() : target;
    // Windows ignores trailing dots and spaces of a name.
    QString name = QFileInfo(QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'))).fileName();
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return programTypes.contains(QFileInfo(name).suffix(), Qt::CaseInsensitive);
}

QString NxFileNames::shellTarget(const QString& target)
{
    const QUrl url(target);
    if (url.isValid() && url.scheme().size() > 1)
        return target;
    return QString(target).replace(QLatin1Char('/'), QLatin1Char('\\'));
}
