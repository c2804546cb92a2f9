#pragma once

#include <QImage>
#include <QString>

class QImageReader;

// Decodes channel pictures and avatars. A few bytes can declare a picture of
// gigabytes, so the declared size is checked before anything is decoded.
class NxPictureReader
{
public:
    static constexpr qint64 kMaxPixels = 64LL * 1000 * 1000;

    // origin names the picture in the log (an address or a path).
    static QImage fromData(const QByteArray& data, const QString& origin);
    // Null for anything but a regular file (a pipe would block the reader).
    static QImage fromFile(const QString& path);

private:
    static QImage read(QImageReader& reader, const QString& origin);
    static QSize declaredSize(QImageReader& reader);
    static bool isTooLarge(const QSize& size);
};
