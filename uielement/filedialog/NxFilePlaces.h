#pragma once

#include "NxFileDialogTypes.h"
#include "TavoUIElementGlobal.h"

#include <QList>
#include <QString>
#include <QStringList>

// Where the places of the file dialog lead: the roots of the named places
// and of the disks, and the way back from a full path to a place.
class TAVOUIELEMENT_EXPORT NxFilePlaces
{
public:
    struct Disk {
        QString pass;    // "ID_DISK" + drive
        QString drive;   // "E:", or the mount point
        QString caption; // label or type caption, with the drive
        bool removable = false;
    };

    static const QString kDiskPrefix;

    static bool isDisk(const QString& pass);
    static bool isCloud(const QString& pass);
    static bool isNamedPlace(const QString& pass);
    static QString diskPass(const QString& drive);

    // The root of a place; "wpan/" + user for cloud places, the pass itself
    // for the recent list.
    static QString getPathByFlag(const QString& pass, const QString& userId = QString());
    // Root joined with the sub-path, doubled separators reduced.
    static QString fullPath(const QString& pass, const QString& path);
    // The disk place holding a full path and the rest of the path.
    static HistoryDir getFlagByPath(const QString& fullPath, const QStringList& driveNames);
    // A start text: a named place unchanged, "D:/Video" as drive D: with the
    // path Video, any other directory as its volume and the rest.
    static HistoryDir startLocation(const QString& text, const QStringList& driveNames);

    // Fixed and removable disks of the machine, in the system's order.
    static QList<Disk> disks();
    static QStringList driveNames(const QList<Disk>& disks);
};
