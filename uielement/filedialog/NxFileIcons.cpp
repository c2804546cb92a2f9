#include "NxFileIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>

namespace {

struct Group {
    const char* suffixes;
    NxFileIcons::Kind kind;
};

// Tested in this order; a suffix counts when it occurs anywhere in the text.
const Group kGroups[] = {
    {"*.doc *.docx .wps", NxFileIcons::Word},
    {"*.pptx *.ppt *.dps", NxFileIcons::Ppt},
    {"*.pdf", NxFileIcons::Pdf},
    {"*.txt", NxFileIcons::Txt},
    {"*.xls *.xlsx *.et", NxFileIcons::Excel},
    {"*.bmp *.cur *.dib *.ico *.gif *.jpg *.jpeg *.jpe *.jfif *.png", NxFileIcons::Image},
    {"*.mp3 *.wav *.wma *.cda *.mid *.midi *.au *.aiff *.aif", NxFileIcons::Audio},
    {"*.wmv *.avi *.mov *.mpeg *.mpg *.rm *.asf *.mp4 *.flv *.mkv *.vob *.swf", NxFileIcons::Video},
    {"*.nxtx *.nxt", NxFileIcons::Nxtx},
    {"*.kl", NxFileIcons::Kl},
};

} // namespace

NxFileIcons::Kind NxFileIcons::kindOf(const QString& fileName, bool isDir)
{
    if (isDir)
        return Folder;
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix.isEmpty())
        return Unknown;
    for (const Group& group : kGroups) {
        if (QString::fromLatin1(group.suffixes).contains(suffix))
            return group.kind;
    }
    return Unknown;
}

QString NxFileIcons::resourceOf(Kind kind)
{
    static const char* const kResources[] = {
        ":/rc/icon/image_folder.png", ":/rc/icon/image_word.png",  ":/rc/icon/image_ppt.png",   ":/rc/icon/image_pdf.png",
        ":/rc/icon/image_txt.png",    ":/rc/icon/image_excel.png", ":/rc/icon/image_image.png", ":/rc/icon/image_audio.png",
        ":/rc/icon/image_video.png",  ":/rc/icon/image_nxtx.png",  ":/rc/icon/image_kl.png",    ":/rc/icon/image_unknow.png"};
    return QString::fromLatin1(kResources[kind]);
}

QPixmap NxFileIcons::pixmap(const QString& fileName, bool isDir, bool local, const QSize& size)
{
    const Kind kind = kindOf(fileName, isDir);
    if (kind == Video && local) {
        const QPixmap system = systemIcon(fileName, size);
        if (!system.isNull())
            return system;
    }
    return scaledResource(resourceOf(kind), size);
}

QPixmap NxFileIcons::scaledResource(const QString& resource, const QSize& size)
{
    const QString key = resource + QLatin1Char('@') + QString::number(size.width()) + QLatin1Char('x')
        + QString::number(size.height());
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return it.value();
    const QPixmap scaled = QPixmap(resource).scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_cache.insert(key, scaled);
    return scaled;
}

// The system gives one icon per type of file; asking once per suffix keeps
// a folder of thousands of clips quick.
QPixmap NxFileIcons::systemIcon(const QString& fileName, const QSize& size)
{
    const QString key = QStringLiteral("system.") + QFileInfo(fileName).suffix().toLower() + QLatin1Char('@')
        + QString::number(size.width());
    auto it = m_cache.constFind(key);
    if (it != m_cache.constEnd())
        return it.value();
    static QFileIconProvider provider;
    const QIcon icon = provider.icon(QFileInfo(fileName));
    const QPixmap pixmap = icon.isNull() ? QPixmap() : icon.pixmap(size);
    m_cache.insert(key, pixmap);
    return pixmap;
}
