#pragma once

#include "NxFileDialogTypes.h"
#include "TavoUIElementGlobal.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

// Files recently opened through the file dialog, one store per process:
// a list for pictures ("image") and one for every other type, newest first,
// without duplicates, each kept in <list>_files.json under the application
// property "recentFileDir". It also remembers the view mode and the folder
// of the last file opened.
class TAVOUIELEMENT_EXPORT NxRecentFiles
{
public:
    struct Entry {
        QString strPass;
        QString strPath;
        QString strName;
        QString strNetId;
        QString strDate;
        QString recentFileType;
    };

    static const int kMaxEntries = 20;

    static NxRecentFiles& instance();

    void add(const Entry& entry);
    QList<Entry> entries(const QString& type);
    // Forgets what was read, so the next call reads the files again.
    void reload();

    bool thumbnailMode() const;
    void setThumbnailMode(bool on);
    // The last folder a file was opened from; empty pass when none.
    HistoryDir lastFolder() const;

    static QString listName(const QString& type);
    static QString filePath(const QString& type);

private:
    NxRecentFiles() = default;
    QList<Entry>& list(const QString& type);
    static Entry fromJson(const QJsonObject& object);
    static QString identity(const Entry& entry);
    static QJsonObject toJson(const Entry& entry);
    void save(const QString& type);

    QMap<QString, QList<Entry> > m_lists;
    bool m_thumbnailMode = false;
    HistoryDir m_lastFolder;
};
