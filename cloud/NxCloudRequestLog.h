#pragma once

#include "NxCloudRequest.h"

#include <QList>
#include <QQueue>
#include <QMutex>

// The latest requests the server received, in arrival order; shared by its
// threads. Bounded, so a demo that runs for weeks keeps a flat memory profile.
class NxCloudRequestLog
{
public:
    static constexpr int kMaxRequests = 2000;

    void append(const NxCloudRequest& request);
    QList<NxCloudRequest> all() const;
    int count(const QString& path) const;
    void clear();

private:
    mutable QMutex m_mutex;
    QQueue<NxCloudRequest> m_requests;
};
