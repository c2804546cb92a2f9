#include "NxCloudRequestLog.h"

#include <QMutexLocker>

void NxCloudRequestLog::append(const NxCloudRequest& request)
{
    QMutexLocker lock(&m_mutex);
    m_requests.enqueue(request);
    while (m_requests.size() > kMaxRequests)
        m_requests.dequeue();
}

QList<NxCloudRequest> NxCloudRequestLog::all() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

int NxCloudRequestLog::count(const QString& path) const
{
    QMutexLocker lock(&m_mutex);
    int n = 0;
    for (const NxCloudRequest& request : m_requests)
        n += request.path == path ? 1 : 0;
    return n;
}

void NxCloudRequestLog::clear()
{
    QMutexLocker lock(&m_mutex);
    m_requests.clear();
}
