#include "NxCloudAnswerCache.h"

namespace {
// Categories times the addresses a school's panels use.
const int kMaxAnswers = 256;
}

QByteArray NxCloudAnswerCache::answer(const QString& key, const Build& build)
{
    QByteArray found;
    if (find(key, &found))
        return found;
    QMutexLocker building(&m_building);
    // Another request may have built it while this one waited.
    if (find(key, &found))
        return found;
    const QByteArray built = build();
    QWriteLocker lock(&m_lock);
    if (m_answers.size() < kMaxAnswers)
        m_answers.insert(key, built);
    return built;
}

bool NxCloudAnswerCache::find(const QString& key, QByteArray* answer)
{
    QReadLocker lock(&m_lock);
    const auto it = m_answers.constFind(key);
    if (it == m_answers.constEnd())
        return false;
    *answer = it.value();
    return true;
}
