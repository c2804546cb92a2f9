#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QReadWriteLock>
#include <QString>
#include <functional>

// Answer bodies built from one snapshot, each built once and then shared by
// every request until the snapshot is replaced. Keys include the address the
// client used (links follow it), so their number is bounded: past the bound
// answers are built per request, never kept.
class NxCloudAnswerCache
{
public:
    using Build = std::function<QByteArray()>;

    QByteArray answer(const QString& key, const Build& build);

private:
    bool find(const QString& key, QByteArray* answer);

    QReadWriteLock m_lock;
    // One build at a time: the first requests after a change of a big
    // catalogue would otherwise each build the same answer (tens of MB each).
    QMutex m_building;
    QHash<QString, QByteArray> m_answers;
};
