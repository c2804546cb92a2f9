#include "NxFileDialogPlaces.h"

#include "DriveButton.h"
#include "NxConfig.h"
#include "NxFileDialogPass.h"
#include "NxRecentFiles.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>

namespace {

QString translated(const QString& key)
{
    return QCoreApplication::translate("NxFileDialog", key.toUtf8().constData());
}

} // namespace

NxFileDialogPlaces::NxFileDialogPlaces(NxFileDialogPass* column)
    : m_column(column)
{
}

// Each place has a picture for when it is current and one for the rest.
void NxFileDialogPlaces::addPlace(const QString& pass, const QString& caption, const QString& icon)
{
    m_column->addPlace(pass, caption, QStringLiteral(":/rc/icon/%1.png").arg(icon),
                       QStringLiteral(":/rc/icon/%1_NOR.png").arg(icon));
}

void NxFileDialogPlaces::addNamedPlaces(bool withCloud)
{
    if (withCloud) {
        const bool online = NxConfig::getInstance()->getNetworkStatus();
        for (const QString& pass : {QStringLiteral("ID_OPEN_CLOUD"), QStringLiteral("ID_CLOUD_RESOURCE")}) {
            const QString offline = QStringLiteral(":/rc/icon/ID_NET_Disable.png");
            DriveButton* b = m_column->addPlace(pass, translated(pass),
                                                online ? QStringLiteral(":/rc/icon/ID_CLOUD.png") : offline,
                                                online ? QStringLiteral(":/rc/icon/ID_CLOUD_NOR.png") : offline);
            b->setEnabled(online);
        }
    }
    const QString named[][2] = {{QStringLiteral("ID_OPEN_RECENT"), QStringLiteral("ID_RECENT")},
                                {QStringLiteral("ID_DESKTOP"), QStringLiteral("ID_SHORTCUT")},
                                {QStringLiteral("ID_MY_DOCUMENTS"), QStringLiteral("ID_DOC")},
                                {QStringLiteral("ID_MY_PICTURE"), QStringLiteral("ID_PIC")}};
    for (const auto& place : named)
        addPlace(place[0], translated(place[0]), place[1]);
}

void NxFileDialogPlaces::refreshDisks(const QString& currentPass)
{
    m_column->removeDisks();
    m_captions.clear();
    m_disks = NxFilePlaces::disks();
    for (const NxFilePlaces::Disk& disk : m_disks) {
        m_captions.insert(disk.pass, disk.caption);
        addPlace(disk.pass, disk.caption, disk.removable ? QStringLiteral("ID_DISK_U") : QStringLiteral("ID_DISK"));
    }
    m_column->setCurrentPass(currentPass);
}

QString NxFileDialogPlaces::caption(const QString& pass) const
{
    if (NxFilePlaces::isDisk(pass))
        return m_captions.value(pass, pass.mid(NxFilePlaces::kDiskPrefix.size()));
    return translated(pass);
}

bool NxFileDialogPlaces::isRemovableDisk(const QString& pass) const
{
    for (const NxFilePlaces::Disk& disk : m_disks) {
        if (disk.pass == pass)
            return disk.removable;
    }
    return false;
}

HistoryDir NxFileDialogPlaces::startLocation(const QString& startPass) const
{
    const QStringList drives = NxFilePlaces::driveNames(m_disks);
    HistoryDir start = NxFilePlaces::startLocation(startPass, drives);
    if (start.strPass.isEmpty()) {
        qDebug() << "NxFileDialogPlaces::startLocation no place for" << startPass << "- the desktop instead";
        start = {QStringLiteral("ID_DESKTOP"), QString(), QString()};
    }
    const HistoryDir last = NxRecentFiles::instance().lastFolder();
    if (last.strPass.isEmpty() || isRemovableDisk(start.strPass))
        return start;
    if (NxFilePlaces::isCloud(last.strPass) || last.strPass == QLatin1String("ID_OPEN_RECENT"))
        return {last.strPass, QString(), QString()};
    const QString folder = NxFilePlaces::fullPath(last.strPass, last.strPath);
    if (!QFileInfo(folder).isDir())
        return start;
    const HistoryDir disk = NxFilePlaces::getFlagByPath(folder, drives);
    return disk.strPass.isEmpty() ? start : disk;
}
