#include "NxFilePictures.h"

#include "NxScale.h"
#include "NxThumbnailMaker.h"

NxFilePictures::NxFilePictures(QObject* parent, double scale)
    : QObject(parent)
    , m_maker(new NxThumbnailMaker(this))
    , m_side(NxScale::px(86, scale))
{
    connect(m_maker, &NxThumbnailMaker::sigImageReady, this, &NxFilePictures::slotImageReady);
}

void NxFilePictures::reset(bool local)
{
    m_maker->cancelAll();
    m_pictures.clear();
    m_pending.clear();
    m_local = local;
    ++m_generation;
}

QPixmap NxFilePictures::picture(int index, const NxFileEntry& entry, const QSize& size)
{
    const bool picture = m_local && NxFileIcons::kindOf(entry.name, entry.isDir) == NxFileIcons::Image;
    if (picture) {
        auto it = m_pictures.constFind(index);
        if (it != m_pictures.constEnd() && !it.value().isNull())
            return it.value().scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (it == m_pictures.constEnd() && !m_pending.contains(index)) {
            m_pending.insert(index);
            m_maker->request(QStringLiteral("%1:%2").arg(m_generation).arg(index), entry.fullPath, m_side);
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
    m_pending.remove(index);
    // An unreadable picture keeps the image icon.
    const QPixmap pixmap = image.isNull() ? QPixmap() : QPixmap::fromImage(image);
    m_pictures.insert(index, pixmap);
    emit sigPixmapCreated(QString::number(index), pixmap);
    if (m_pending.isEmpty())
        emit sigPixmapCreatedEnd();
}
