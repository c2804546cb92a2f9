#include "NxFilePictures.h"

#include "NxScale.h"
#include "NxThumbnailMaker.h"

NxFilePictures::NxFilePictures(QObject* parent, double scale)
    : QObject(parent)
    , m_maker(new NxThumbnailMaker(this))
    , m_pictures(kByteLimit)
    , m_side(NxScale::px(86, scale))
{
    connect(m_maker, &NxThumbnailMaker::sigImageReady, this, &NxFilePictures::slotImageReady);
}

void NxFilePictures::reset(bool local)
{
    m_maker->cancelAll();
    m_pictures.clear();
    m_waiting.clear();
    m_paths.clear();
    m_inFlight.clear();
    m_local = local;
    ++m_generation;
}

QPixmap NxFilePictures::picture(int index, const NxFileEntry& entry, const QSize& size)
{
    const bool picture = m_local && NxFileIcons::kindOf(entry.name, entry.isDir) == NxFileIcons::Image;
    if (picture) {
        const QPixmap* known = m_pictures.object(index);
        if (known && !known->isNull())
            return known->scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (!known && !m_inFlight.contains(index) && !m_paths.contains(index)) {
            m_waiting.append(index);
            m_paths.insert(index, entry.fullPath);
            pump();
        }
    }
    return m_icons.pixmap(entry.name, entry.isDir, m_local, size);
}

void NxFilePictures::slotImageReady(QString key, QImage image)
{
    const int colon = key.indexOf(QLatin1Char(':'));
    if (key.left(colon).toInt() != m_generation)
        return;
    const int index = key.mid(colon + 1).toInt();
    m_inFlight.remove(index);
    pump();
    // An unreadable picture keeps the image icon; remembering that costs a byte.
    const QPixmap pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    m_pictures.insert(index, new QPixmap(pixmap), qMax(1, pixmap.width() * pixmap.height() * pixmap.depth() / 8));
    emit sigPixmapCreated(QString::number(index), pixmap);
    if (pendingCount() == 0)
        emit sigPixmapCreatedEnd();
}

void NxFilePictures::pump()
{
    while (m_inFlight.size() < kMaxInFlight && !m_waiting.isEmpty()) {
        const int index = m_waiting.takeFirst();
        m_inFlight.insert(index);
        m_maker->request(QStringLiteral("%1:%2").arg(m_generation).arg(index), m_paths.take(index), m_side);
    }
}

void NxFilePictures::forget(int index)
{
    if (m_paths.remove(index))
        m_waiting.removeOne(index);
}
