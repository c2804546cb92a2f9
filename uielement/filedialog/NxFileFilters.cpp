#include "NxFileFilters.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QStringList stars(const QString& extensions)
{
    QStringList patterns;
    for (const QString& ext : extensions.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        patterns.append(QStringLiteral("*.") + ext);
    return patterns;
}

} // namespace

QString NxFileFilters::withSingles(const QString& caption, const QStringList& all, const QStringList& singles)
{
    QStringList entries{QStringLiteral("%1(%2)").arg(caption, all.join(QLatin1Char(' ')))};
    for (const QString& pattern : singles)
        entries.append(QStringLiteral("%1(%2)").arg(caption, pattern));
    return entries.join(QStringLiteral(";;"));
}

QString NxFileFilters::filterFor(int type)
{
    switch (type) {
    case RES_AUDIO:
        return withSingles(QStringLiteral("Audio Files"), stars(QStringLiteral("mp3 wav wma")), stars(QStringLiteral("mp3 wav wma")));
    case RES_MEDIA:
        return withSingles(QStringLiteral("Media Files"),
                           stars(QStringLiteral("wmv avi mov mpeg mpg rm rmvb asf mp4 flv mkv vob swf")),
                           stars(QStringLiteral("swf vob mkv flv mp4 asf rmvb rm mpg mpeg mov avi wmv")));
    case RES_DOC:
        return withSingles(QStringLiteral("Doc Files"), stars(QStringLiteral("pptx ppt pdf doc docx xlsx xls wps dps et kl")),
                           stars(QStringLiteral("pptx ppt pdf doc docx xlsx xls wps dps et kl")));
    case RES_SHEET:
        return withSingles(QStringLiteral("Sheet Files"), stars(QStringLiteral("pptx ppt pdf doc docx xlsx xls")),
                           stars(QStringLiteral("pptx ppt pdf doc docx xlsx xls")));
    case RES_FLASH:
        return QStringLiteral("Flash Files(*.swf)");
    case RES_PDF:
        return QStringLiteral("Files(*.pdf)");
    case RES_NXTX:
        return QStringLiteral("Files(*.nxtx)");
    case RES_PNG:
        return QStringLiteral("Files(*.png)");
    case RES_PPT_IWB_PDF:
        return QStringLiteral("Doc Files(*.pptx *.iwb *.pdf);;PPT Files(*.pptx);;PDF Files(*.pdf);;IWB Files(*.iwb))");
    case RES_COURSEWARE:
        return QCoreApplication::translate("NxFileDialog", "ID_FILE_COURSE") + QStringLiteral(" (*.nxtx)");
    default:
        return withSingles(QStringLiteral("Image Files"), stars(QStringLiteral("bmp cur dib ico gif jpg jpeg jpe jfif png")),
                           stars(QStringLiteral("png jfif jpe jpeg jpg gif ico dib cur bmp")));
    }
}

QStringList NxFileFilters::entries(const QString& filter)
{
    return filter.split(QStringLiteral(";;"), Qt::SkipEmptyParts);
}

QStringList NxFileFilters::patternsOf(const QString& entry)
{
    const int open = entry.indexOf(QLatin1Char('('));
    const int close = entry.indexOf(QLatin1Char(')'), open + 1);
    if (open < 0 || close < 0)
        return {};
    return entry.mid(open + 1, close - open - 1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString NxFileFilters::patternOfName(const QString& fileName)
{
    return QStringLiteral("*.") + QFileInfo(fileName).suffix().toLower();
}
