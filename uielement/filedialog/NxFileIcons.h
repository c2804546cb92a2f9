#pragma once

#include "TavoUIElementGlobal.h"

#include <QHash>
#include <QPixmap>
#include <QString>

// The icon of a listing row: a picture per kind of file, the picture
// itself for local images (made elsewhere), the system's icon for local
// videos.
class TAVOUIELEMENT_EXPORT NxFileIcons
{
public:
    enum Kind { Folder, Word, Ppt, Pdf, Txt, Excel, Image, Audio, Video, Nxtx, Kl, Unknown };

    static Kind kindOf(const QString& fileName, bool isDir);
    static QString resourceOf(Kind kind);
    // The picture for a row, scaled into size keeping its shape.
    QPixmap pixmap(const QString& fileName, bool isDir, bool local, const QSize& size);

private:
    QPixmap scaledResource(const QString& resource, const QSize& size);
    QPixmap systemIcon(const QString& fileName, const QSize& size);

    QHash<QString, QPixmap> m_cache;
};
