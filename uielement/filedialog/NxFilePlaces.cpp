#include "NxFilePlaces.h"

#include "INxDrives.h"
#include "NxPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

namespace {

bool isDriveLetterText(const QString& text)
{
    static const QRegularExpression letter(QStringLiteral("^[A-Za-z]:"));
    return letter.match(text).hasMatch();
}

QString trimSeparators(QString path)
{
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

QString volumeLabel(const QString& root)
{
    const QStorageInfo info(root);
    return info.isValid() && QDir::cleanPath(info.rootPath()) == QDir::cleanPath(root) ? info.name() : QString();
}

} // namespace

const QString NxFilePlaces::kDiskPrefix = QStringLiteral("ID_DISK");

bool NxFilePlaces::isDisk(const QString& pass)
{
    return pass.startsWith(kDiskPrefix);
}

bool NxFilePlaces::isCloud(const QString& pass)
{
    return pass == QLatin1String("ID_OPEN_CLOUD") || pass == QLatin1String("ID_CLOUD_RESOURCE");
}

bool NxFilePlaces::isNamedPlace(const QString& pass)
{
    return pass == QLatin1String("ID_DESKTOP") || pass == QLatin1String("ID_MY_DOCUMENTS")
        || pass == QLatin1String("ID_MY_PICTURE") || pass == QLatin1String("ID_OPEN_RECENT");
}

QString NxFilePlaces::diskPass(const QString& drive)
{
    return kDiskPrefix + drive;
}

QString NxFilePlaces::getPathByFlag(const QString& pass, const QString& userId)
{
    if (pass == QLatin1String("ID_DESKTOP"))
        return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (pass == QLatin1String("ID_MY_DOCUMENTS"))
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (pass == QLatin1String("ID_MY_PICTURE"))
        return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (isCloud(pass))
        return QStringLiteral("wpan/") + userId;
    if (isDisk(pass))
        return pass.mid(kDiskPrefix.size());
    return pass;
}

QString NxFilePlaces::fullPath(const QString& pass, const QString& path)
{
    QString joined = getPathByFlag(pass) + QLatin1Char('/') + path;
    static const QRegularExpression doubled(QStringLiteral("/{2,}"));
    joined.replace(doubled, QStringLiteral("/"));
    if (joined.size() > 1 && joined.endsWith(QLatin1Char('/')) && !joined.endsWith(QLatin1String(":/")))
        joined.chop(1);
    return joined;
}

HistoryDir NxFilePlaces::getFlagByPath(const QString& fullPath, const QStringList& driveNames)
{
    const QString clean = QDir::fromNativeSeparators(fullPath);
    if (isDriveLetterText(clean))
        return {diskPass(clean.left(2).toUpper()), trimSeparators(clean.mid(2)), QString()};
    // The deepest volume holding the path.
    QString best;
    for (const QString& drive : driveNames) {
        const QString prefix = drive.endsWith(QLatin1Char('/')) ? drive : drive + QLatin1Char('/');
        if ((clean == drive || clean.startsWith(prefix) || drive == QLatin1String("/")) && drive.size() > best.size())
            best = drive;
    }
    if (best.isEmpty())
        return {};
    return {diskPass(best), trimSeparators(clean.mid(best.size())), QString()};
}

HistoryDir NxFilePlaces::startLocation(const QString& text, const QStringList& driveNames)
{
    if (isNamedPlace(text))
        return {text, QString(), QString()};
    if (isDriveLetterText(text))
        return getFlagByPath(text, driveNames);
    return getFlagByPath(QDir(text).absolutePath(), driveNames);
}

QList<NxFilePlaces::Disk> NxFilePlaces::disks()
{
    INxDrives* drives = NxPlatform::drives();
    QList<Disk> found;
    for (const QString& root : drives->roots()) {
        const INxDrives::Type type = drives->type(root);
        if (type != INxDrives::Type::Fixed && type != INxDrives::Type::Removable)
            continue;
        Disk disk;
        disk.drive = drives->driveName(root);
        disk.pass = diskPass(disk.drive);
        disk.removable = type == INxDrives::Type::Removable;
        const QString label = volumeLabel(root);
        const QString typeCaption = disk.removable ? QCoreApplication::translate("NxFileDialog", "ID_LOCAL_REMOVEDISK")
                                                   : QCoreApplication::translate("NxFileDialog", "ID_LOCAL_DISK");
        // A drive letter reads well right after the name; a mount point
        // needs a blank before it.
        const QString gap = isDriveLetterText(disk.drive) ? QString() : QStringLiteral(" ");
        disk.caption = (label.isEmpty() ? typeCaption : label) + gap + QLatin1Char('(') + disk.drive + QLatin1Char(')');
        found.append(disk);
    }
    return found;
}

QStringList NxFilePlaces::driveNames(const QList<Disk>& disks)
{
    QStringList names;
    for (const Disk& disk : disks)
        names.append(disk.drive);
    return names;
}
