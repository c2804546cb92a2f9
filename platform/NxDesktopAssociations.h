#pragma once

#include "NxPlatformGlobal.h"

#include <QHash>
#include <QMutex>
#include <QString>

// The freedesktop side of file and address associations: xdg-settings and
// xdg-mime name a .desktop file, whose Exec line names the program and whose
// Name is the application's friendly name. Answers are kept for a while,
// because a window search asks many times in a few seconds.
class NX_PLATFORM_EXPORT NxDesktopAssociations
{
public:
    struct Entry {
        QString program; // absolute, links resolved, as /proc/PID/exe shows it
        QString commandLine; // the Exec line with that program, field codes dropped
        QString name;
    };

    Entry defaultBrowser();
    Entry forSuffix(const QString& suffix);

    // The [Desktop Entry] of a .desktop file, looked up in the applications
    // directories when the name is not a path.
    static Entry readEntry(const QString& desktopFile);
    // The first word of an Exec line, quotes honoured; rest: what follows.
    static QString firstWord(const QString& exec, QString* rest = nullptr);
    static QString dropFieldCodes(const QString& exec);

private:
    Entry cached(const QString& key, const QStringList& queries);
    static QString query(const QStringList& command);

    struct Cached {
        qint64 at = 0;
        Entry entry;
    };
    QHash<QString, Cached> m_cache;
    QMutex m_lock;
};
