#include "NxTilePictures.h"

#include "NxPictureJobs.h"

#include <QHash>
#include <QImageReader>

namespace {

QHash<QString, QImage>& store()
{
    static QHash<QString, QImage> pictures;
    return pictures;
}

QString sizedKey(const QString& key, const QSize& target)
{
    return QStringLiteral("%1@%2x%3").arg(key).arg(target.width()).arg(target.height());
}

// The size that covers target, or none when the picture is no larger.
QSize coverSize(const QSize& picture, const QSize& target)
{
    const QSize cover = picture.scaled(target, Qt::KeepAspectRatioByExpanding);
    if (target.isEmpty() || cover.width() >= picture.width() || cover.height() >= picture.height())
        return QSize();
    return cover;
}

// Decoded straight at the size that covers the tile: a picture made for
// screens twice as wide is never held whole, which takes a quarter of the
// time and memory of reading it whole and shrinking it.
QImage readCovering(const QString& path, const QSize& target)
{
    QImageReader reader(path);
    const QSize cover = coverSize(reader.size(), target);
    if (cover.isValid())
        reader.setScaledSize(cover);
    return reader.read();
}

QImage readPicture(const QString& path, const QSize& target)
{
    const QString key = sizedKey(path, target);
    return NxPictureJobs::has(key) ? NxPictureJobs::take(key) : readCovering(path, target);
}

// Copies only the store still refers to.
void dropUnused()
{
    QHash<QString, QImage>& pictures = store();
    for (auto it = pictures.begin(); it != pictures.end();) {
        if (it.value().isDetached())
            it = pictures.erase(it);
        else
            ++it;
    }
}

QImage shrunk(const QImage& image, const QSize& target)
{
    const QSize cover = coverSize(image.size(), target);
    if (!cover.isValid())
        return image;
    return image.scaled(cover, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

void NxTilePictures::preload(const QVector<Wanted>& pictures)
{
    for (const Wanted& wanted : pictures) {
        const QString key = sizedKey(wanted.path, wanted.target);
        if (!store().contains(key))
            NxPictureJobs::start(key, [wanted] { return readCovering(wanted.path, wanted.target); });
    }
}

QImage NxTilePictures::read(const QString& path, const QSize& target)
{
    return shared(path, target, QImage());
}

QImage NxTilePictures::fit(const QString& address, const QImage& image, const QSize& target)
{
    if (image.isNull())
        return image;
    // Without an address only tiles handed this very picture share it.
    return shared(address.isEmpty() ? QString::number(image.cacheKey()) : address, target, image);
}

int NxTilePictures::count()
{
    dropUnused();
    return store().size();
}

QImage NxTilePictures::shared(const QString& key, const QSize& target, const QImage& source)
{
    const QString sized = sizedKey(key, target);
    QHash<QString, QImage>& pictures = store();
    const auto found = pictures.constFind(sized);
    if (found != pictures.constEnd())
        return found.value();
    dropUnused();
    const QImage picture = source.isNull() ? readPicture(key, target) : shrunk(source, target);
    if (!picture.isNull())
        pictures.insert(sized, picture);
    return picture;
}
