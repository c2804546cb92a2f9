#pragma once

#include "NxFileDialogTypes.h"
#include "NxFileIcons.h"

#include <QHash>
#include <QObject>
#include <QPixmap>
#include <QSet>

class NxThumbnailMaker;

// The pictures of one listing's rows, shared by the list and thumbnail
// views: icons at once, local pictures read off the GUI thread on demand.
class NxFilePictures : public QObject
{
    Q_OBJECT

public:
    NxFilePictures(QObject* parent, double scale);

    // A new listing: pending pictures of the old one are dropped.
    void reset(bool local);
    // The row's picture fitted into size; a local image is asked for and
    // its icon stands in until it arrives.
    QPixmap picture(int index, const NxFileEntry& entry, const QSize& size);
    int pendingCount() const { return m_pending.size(); }

signals:
    void sigPixmapCreated(QString strIndex, QPixmap pixmap);
    void sigPixmapCreatedEnd();

private slots:
    void slotImageReady(QString key, QImage image);

private:
    NxThumbnailMaker* m_maker = nullptr;
    NxFileIcons m_icons;
    QHash<int, QPixmap> m_pictures;
    QSet<int> m_pending;
    int m_generation = 0;
    bool m_local = true;
    int m_side;
};
