#pragma once

#include "NxFileDialogTypes.h"
#include "NxFilePlaces.h"

#include <QList>
#include <QMap>
#include <QString>

class NxFileDialogPass;

// The places the file dialog offers in its column (the cloud places when
// asked for, the recent list, the named folders, the disks of the moment)
// and the one a showing starts at.
class NxFileDialogPlaces
{
public:
    explicit NxFileDialogPlaces(NxFileDialogPass* column);

    void addNamedPlaces(bool withCloud);
    // Reads the disks again and lists them below the named places.
    void refreshDisks(const QString& currentPass);
    QList<NxFilePlaces::Disk> disks() const { return m_disks; }
    QString caption(const QString& pass) const;
    // The place asked for, or the folder a file was opened from last,
    // except when a stick is asked for: plugging one in opens it.
    HistoryDir startLocation(const QString& startPass) const;

private:
    void addPlace(const QString& pass, const QString& caption, const QString& icon);
    bool isRemovableDisk(const QString& pass) const;

    NxFileDialogPass* m_column;
    QList<NxFilePlaces::Disk> m_disks;
    QMap<QString, QString> m_captions;
};
