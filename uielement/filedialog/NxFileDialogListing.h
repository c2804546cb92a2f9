#pragma once

#include "NxFileDialogTypes.h"
#include "NxRecentFiles.h"

#include <QString>
#include <QStringList>
#include <QVector>

class NxFileDialogPlaces;
class NxFileDialogView;

// What the file dialog lists of a local folder or of the recent files:
// only the files the chosen filter lets through.
class NxFileDialogListing
{
public:
    NxFileDialogListing(NxFileDialogView* view, const NxFileDialogPlaces& places);

    // The filter text of a resource type unless one is given; the listing
    // then shows the files of its first entry.
    QString useFilter(int type, const QString& filter);
    void setPatterns(const QStringList& patterns) { m_patterns = patterns; }
    const QStringList& patterns() const { return m_patterns; }
    bool matches(const QString& name) const;
    void setRecentType(const QString& type) { m_recentType = type; }
    const QString& recentType() const { return m_recentType; }

    void showRecent();
    void showFolder(const HistoryDir& folder);
    // Rows read elsewhere (a cloud listing) or the message for none.
    void show(const QVector<NxFileEntry>& rows, bool local, const char* emptyKey);

private:
    // False for a local file removed since it was opened.
    bool readRecent(const NxRecentFiles::Entry& recent, NxFileEntry& entry) const;

    NxFileDialogView* m_view;
    const NxFileDialogPlaces& m_places;
    QStringList m_patterns;
    QString m_recentType = QStringLiteral("courseware");
};
