#pragma once

#include "NxCloudRequest.h"

#include <QList>
#include <QMutex>

// Every request the server received, in arrival order; shared by its threads.
class NxCloudRequestLog
{
public:
    void append(const NxCloudRequest& request);
    QList<NxCloudRequest> all() const;
    int count(const QString& path) const;
    void clear();

private:
    mutable QMutex m_mutex;
    QList<NxCloudRequest> m_requests;
};
