#pragma once

#include <QByteArray>
#include <QHash>
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
    QReadWriteLock m_lock;
    QHash<QString, QByteArray> m_answers;
};
