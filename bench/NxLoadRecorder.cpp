#include "NxLoadRecorder.h"

#include <QMutexLocker>
#include <algorithm>

void NxLoadRecorder::record(bool catalogue, bool ok, qint64 microseconds)
{
    QMutexLocker lock(&m_mutex);
    for (Figures* counts : {&m_counts, &m_allCounts}) {
        if (!ok) {
            ++counts->failures;
            continue;
        }
        ++counts->answers;
        if (catalogue)
            ++counts->catalogueAnswers;
    }
    if (!ok)
        return;
    m_interval.append(microseconds);
    m_all.append(microseconds);
}

void NxLoadRecorder::retried()
{
    QMutexLocker lock(&m_mutex);
    ++m_counts.retries;
    ++m_allCounts.retries;
}

NxLoadRecorder::Figures NxLoadRecorder::take()
{
    QVector<qint64> times;
    Figures counts;
    {
        QMutexLocker lock(&m_mutex);
        times.swap(m_interval);
        counts = m_counts;
        m_counts = Figures();
    }
    return figures(std::move(times), counts);
}

NxLoadRecorder::Figures NxLoadRecorder::total() const
{
    QMutexLocker lock(&m_mutex);
    return figures(m_all, m_allCounts);
}

NxLoadRecorder::Figures NxLoadRecorder::figures(QVector<qint64> times, const Figures& counts)
{
    Figures out = counts;
    if (times.isEmpty())
        return out;
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) { return times.at(std::min<int>(times.size() - 1, int(share * times.size()))) / 1000.0; };
    out.p50Ms = at(0.50);
    out.p99Ms = at(0.99);
    out.maxMs = times.last() / 1000.0;
    return out;
}
