#include "NxFileDialogListing.h"

#include "NxFileDialogPlaces.h"
#include "NxFileDialogView.h"
#include "NxFileFilters.h"
#include "NxFileLister.h"
#include "NxFilePlaces.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

NxFileDialogListing::NxFileDialogListing(NxFileDialogView* view, const NxFileDialogPlaces& places)
    : m_view(view)
    , m_places(places)
{
}

QString NxFileDialogListing::useFilter(int type, const QString& filter)
{
    const QString text = filter.isEmpty() ? NxFileFilters::filterFor(type) : filter;
    m_patterns = NxFileFilters::patternsOf(NxFileFilters::entries(text).value(0));
    return text;
}

bool NxFileDialogListing::matches(const QString& name) const
{
    return m_patterns.isEmpty() || QDir::match(m_patterns, name);
}

bool NxFileDialogListing::readRecent(const NxRecentFiles::Entry& recent, NxFileEntry& entry) const
{
    entry.name = recent.strName;
    entry.pass = recent.strPass;
    entry.path = recent.strPath;
    entry.netId = recent.strNetId;
    entry.date = recent.strDate;
    entry.folder = m_places.caption(recent.strPass) + (recent.strPath.isEmpty() ? QString() : QLatin1Char('/') + recent.strPath);
    if (NxFilePlaces::isCloud(recent.strPass))
        return true;
    const QFileInfo info(NxFilePlaces::fullPath(recent.strPass, recent.strPath + QLatin1Char('/') + recent.strName));
    if (!info.isFile())
        return false;
    entry.fullPath = info.filePath();
    entry.folder = QDir::toNativeSeparators(info.absolutePath());
    entry.date = NxFileLister::dateText(info.lastModified());
    entry.size = NxFileLister::sizeText(info.size());
    return true;
}

void NxFileDialogListing::show(const QVector<NxFileEntry>& rows, bool local, const char* emptyKey)
{
    if (rows.isEmpty())
        m_view->showMessage(QCoreApplication::translate("NxFileDialog", emptyKey));
    else
        m_view->setEntries(NxFileEntries(new QVector<NxFileEntry>(rows)), local);
}

void NxFileDialogListing::showRecent()
{
    QVector<NxFileEntry> rows;
    for (const NxRecentFiles::Entry& recent : NxRecentFiles::instance().entries(m_recentType)) {
        NxFileEntry entry;
        if (m_patterns.contains(NxFileFilters::patternOfName(recent.strName)) && readRecent(recent, entry))
            rows.append(entry);
    }
    show(rows, true, QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_NOTOPENFILE"));
}

void NxFileDialogListing::showFolder(const HistoryDir& folder)
{
    const bool followLinks = !NxFilePlaces::isDisk(folder.strPass);
    show(NxFileLister::list(folder.strPass, folder.strPath, m_patterns, followLinks), true,
         QT_TRANSLATE_NOOP("NxFileDialog", "ID_RES_LISTNULL"));
}
