#pragma once

#include "TavoUIElementGlobal.h"

#include <QList>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QThreadPool>

class QDateTime;

// Where the teacher stopped in each local video, newest first, kept in one
// JSON file under the program data directory. Read from the worker that
// checks a file and written from the GUI thread, so every call locks; the
// file itself is written on a thread of its own, one write after another.
class TAVOUIELEMENT_EXPORT NxResumePositions
{
public:
    static constexpr int kMaxEntries = 200;

    static NxResumePositions& instance();
    // A file that was replaced or edited since is a different video.
    static QString key(const QString& path, qint64 size, const QDateTime& modified);

    // Seconds into the video; 0 when nothing is kept.
    double position(const QString& key);
    // Moves the entry to the front; 0 or less forgets it.
    void remember(const QString& key, double seconds);
    int count();
    // The file lies where the "TempDir" application property points.
    static QString filePath();
    // Returns once every write handed out so far is on disk.
    void waitForWrites();

private:
    NxResumePositions();
    void loadLocked();
    void saveLocked();

    QMutex m_lock;
    QString m_loadedFrom;
    QList<QPair<QString, double> > m_entries;
    QThreadPool m_writer;
};
