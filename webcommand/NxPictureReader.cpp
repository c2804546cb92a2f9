#include "NxPictureReader.h"

#include <QBuffer>
#include <QDebug>
#include <QFileInfo>
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
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels) {
        qWarning() << "NxPictureReader::read" << "picture refused, declared size" << size << "above" << kMaxPixels
                   << "pixels or unknown:" << origin;
        return QImage();
    }
    return reader.read();
}
