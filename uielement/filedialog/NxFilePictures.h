#pragma once

#include "NxFileDialogTypes.h"
#include "NxFileIcons.h"

#include <QCache>
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
    // A row that left the screen no longer needs its picture.
    void forget(int index);
    int pendingCount() const { return m_waiting.size() + m_inFlight.size(); }
    // Pictures read are kept up to this many bytes, the least recently
    // shown let go first (read again when their row comes back).
    void setByteLimit(int bytes) { m_pictures.setMaxCost(bytes); }
    int cachedBytes() const { return m_pictures.totalCost(); }

signals:
    void sigPixmapCreated(QString strIndex, QPixmap pixmap);
    void sigPixmapCreatedEnd();

private slots:
    void slotImageReady(QString key, QImage image);

private:
    NxThumbnailMaker* m_maker = nullptr;
    NxFileIcons m_icons;
    static const int kByteLimit = 64 * 1024 * 1024;
    QCache<int, QPixmap> m_pictures;
    void pump();

    // Few requests at a time: a flick through thousands of rows must not
    // leave thousands of finished pictures queued for the GUI thread.
    static const int kMaxInFlight = 4;
    QList<int> m_waiting;
    QHash<int, QString> m_paths;
    QSet<int> m_inFlight;
    int m_generation = 0;
    bool m_local = true;
    int m_side;
};
