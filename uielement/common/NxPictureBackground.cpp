#include "NxPictureBackground.h"

#include "NxLargePages.h"
#include "NxPictureJobs.h"

#include <QDebug>
#include <QImageReader>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>

namespace {

// A picture of a screen's size is decoded into large pages where the reader
// fills the picture it is handed.
QImage inLargePages(const QSize& size, QImage::Format format)
{
    if (size.isEmpty() || format == QImage::Format_Invalid || QImage::toPixelFormat(format).bitsPerPixel() != 32)
        return QImage();
    const int bytesPerLine = size.width() * 4;
    void* memory = NxLargePages::allocate(std::size_t(bytesPerLine) * std::size_t(size.height()));
    if (!memory)
        return QImage();
    return QImage(static_cast<uchar*>(memory), size.width(), size.height(), bytesPerLine, format, NxLargePages::release,
                  memory);
}

QString pictureKey(const QString& picture, const QSize& size)
{
    return QStringLiteral("NxPictureBackground:%1:%2x%3").arg(picture).arg(size.width()).arg(size.height());
}

} // namespace

NxPictureBackground::NxPictureBackground(const QString& picture, QWidget* parent)
    : QWidget(parent)
    , m_picture(picture)
{
    // Every pixel is painted, so Qt need not clear behind it first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString NxPictureBackground::picture() const
{
    return m_picture;
}

QPixmap NxPictureBackground::pixmap() const
{
    return m_pixmap;
}

QImage NxPictureBackground::decodeAt(const QString& picture, const QSize& size)
{
    QImageReader reader(picture);
    QImage image;
    if (reader.size().isValid()) {
        reader.setScaledSize(size);
        image = inLargePages(size, reader.imageFormat());
    }
    if (!reader.read(&image))
        image = QImage();
    if (image.isNull()) {
        qWarning() << "NxPictureBackground::decodeAt" << "cannot read" << picture << reader.errorString();
        return image;
    }
    // Readers that cannot scale while decoding hand back the full picture.
    if (image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

void NxPictureBackground::preload(const QString& picture, const QSize& size)
{
    QPixmap found;
    const QString key = pictureKey(picture, size);
    if (!QPixmapCache::find(key, &found))
        NxPictureJobs::start(key, [picture, size] { return decodeAt(picture, size); });
}

void NxPictureBackground::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size() * ratio;
    if (m_pixmap.size() != size && !size.isEmpty()) {
        const QString key = pictureKey(m_picture, size);
        if (!QPixmapCache::find(key, &m_pixmap)) {
            m_pixmap = QPixmap::fromImage(NxPictureJobs::has(key) ? NxPictureJobs::take(key) : decodeAt(m_picture, size));
            QPixmapCache::insert(key, m_pixmap);
        }
        m_pixmap.setDevicePixelRatio(ratio);
    }
    QPainter painter(this);
    if (m_pixmap.isNull())
        painter.fillRect(event->rect(), palette().window());
    else
        painter.drawPixmap(event->rect(), m_pixmap, QRectF(QRectF(event->rect()).topLeft() * ratio,
                                                          QSizeF(event->rect().size()) * ratio));
}
