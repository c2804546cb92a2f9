#pragma once

#include "RelaynetGlobal.h"

#include <QFile>
#include <QJsonObject>
#include <QMutex>
#include <QObject>
#include <QVector>

#include <functional>

// Appends user actions as JSON lines on the recorder's worker thread and
// keeps at most two files: the current one and one rotated predecessor.
// Jobs wait in a queue of its own rather than in the event queue, because a
// thread stops delivering events once the application object is gone and
// the owner must still be able to flush at that point.
class RELAYNET_EXPORT NxUserActionWriter : public QObject
{
    Q_OBJECT

public:
    explicit NxUserActionWriter(QObject* parent = nullptr);

    // Thread-safe; the job runs on the writer's thread, in posting order.
    void post(const std::function<void()>& job);
    // On the writer's thread, or by the owner after that thread has ended.
    void runPending();

    // The rest only from within jobs.
    void setFilePath(const QString& path);
    void setSizeLimit(qint64 bytes);
    void append(const QJsonObject& entry);
    void close();

    static QString rotatedPath(const QString& path);

private:
    bool ensureOpen();
    bool rotate();
    void warn(const char* method, const QString& text);

    QMutex m_jobsMutex;
    QVector<std::function<void()>> m_jobs;
    bool m_wakeUpPosted = false;
    QFile m_file;
    QString m_path;
    qint64 m_sizeLimit = 1024 * 1024;
    bool m_failing = false;
};
