#include "NxPictureReader.h"

#include <QBuffer>
#include <QDebug>
#include <QFileInfo>
#include <QIODevice>
#include <QImageReader>

QImage NxPictureReader::fromData(const QByteArray& data, const QString& origin)
{
    QBuffer buffer;
    buffer.setData(data);
    QImageReader reader(&buffer);
    return read(reader, origin);
}

QImage NxPictureReader::fromFile(const QString& path)
{
    // Opening a pipe or a device can wait for ever for a writer: only a
    // regular file is a picture.
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (info.exists())
            qWarning() << "NxPictureReader::fromFile" << "not a regular file, not read:" << path;
        return QImage();
    }
    QImageReader reader(path);
    return read(reader, path);
}

QImage NxPictureReader::read(QImageReader& reader, const QString& origin)
{
    if (!reader.canRead())
        return QImage();
    const QSize size = declaredSize(reader);
    if (!size.isValid() || isTooLarge(size)) {
        qWarning() << "NxPictureReader::read" << "picture refused, declared size" << size << "above" << kMaxPixels
                   << "pixels or unknown:" << origin;
        return QImage();
    }
    const QImage image = reader.read();
    if (isTooLarge(image.size())) {
        qWarning() << "NxPictureReader::read" << "picture refused, decoded size" << image.size() << "above the declared"
                   << size << ":" << origin;
        return QImage();
    }
    return image;
}

QSize NxPictureReader::declaredSize(QImageReader& reader)
{
    QSize size = reader.size();
    // Qt's GIF reader reports the first frame's size but decodes every frame
    // onto the logical screen, which the header may declare far larger.
    if (size.isValid() && reader.format() == "gif") {
        const QByteArray header = reader.device()->peek(10);
        if (header.size() == 10) {
            const auto word = [&header](int at) { return int(uchar(header[at])) | int(uchar(header[at + 1])) << 8; };
            size = size.expandedTo(QSize(word(6), word(8)));
        }
    }
    return size;
}

bool NxPictureReader::isTooLarge(const QSize& size)
{
    return qint64(size.width()) * size.height() > kMaxPixels;
}
