#pragma once

#include "TavoUIElementGlobal.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>

// Pictures as tiles show them: shrunk to cover the tile, and shared by every
// tile that shows the same picture at the same size (a channel sits in its
// page, the add-channel catalogue and the banner at once). A copy goes when
// the last tile holding it lets it go. GUI thread only.
class TAVOUIELEMENT_EXPORT NxTilePictures
{
public:
    struct Wanted {
        QString path;
        QSize target;
    };

    // Starts reading pictures at the size their tiles will ask for on other
    // threads, for a window about to be built: its first frame then need not
    // wait for each decode in turn.
    static void preload(const QVector<Wanted>& pictures);
    // A built-in or local picture, read once per size.
    static QImage read(const QString& path, const QSize& target);
    // A picture received for an address.
    static QImage fit(const QString& address, const QImage& image, const QSize& target);
    // Copies held for tiles now.
    static int count();

private:
    static QImage shared(const QString& key, const QSize& target, const QImage& source);
};
