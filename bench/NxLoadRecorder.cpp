#include "NxLoadRecorder.h"

#include <QMutexLocker>
#include <algorithm>

void NxLoadRecorder::record(bool catalogue, bool ok, qint64 microseconds)
{
    QMutexLocker lock(&m_mutex);
    if (!ok) {
        ++m_failures;
        ++m_allFailures;
        return;
    }
    ++m_answers;
    ++m_allAnswers;
    if (catalogue) {
        ++m_catalogue;
        ++m_allCatalogue;
    }
    m_interval.append(microseconds);
    m_all.append(microseconds);
}

NxLoadRecorder::Figures NxLoadRecorder::take()
{
    QVector<qint64> times;
    Figures out;
    {
        QMutexLocker lock(&m_mutex);
        times.swap(m_interval);
        out.answers = m_answers;
        out.catalogueAnswers = m_catalogue;
        out.failures = m_failures;
        m_answers = m_catalogue = m_failures = 0;
    }
    return figures(std::move(times), out.answers, out.catalogueAnswers, out.failures);
}

NxLoadRecorder::Figures NxLoadRecorder::total() const
{
    QMutexLocker lock(&m_mutex);
    return figures(m_all, m_allAnswers, m_allCatalogue, m_allFailures);
}

NxLoadRecorder::Figures NxLoadRecorder::figures(QVector<qint64> times, qint64 answers, qint64 catalogue, qint64 failures)
{
    Figures out;
    out.answers = answers;
    out.catalogueAnswers = catalogue;
    out.failures = failures;
    if (times.isEmpty())
        return out;
    std::sort(times.begin(), times.end());
    const auto at = [&](double share) { return times.at(std::min<int>(times.size() - 1, int(share * times.size()))) / 1000.0; };
    out.p50Ms = at(0.50);
    out.p99Ms = at(0.99);
    out.maxMs = times.last() / 1000.0;
    return out;
}
