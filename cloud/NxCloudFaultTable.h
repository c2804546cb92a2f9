#pragma once

#include "NxCloudFault.h"

#include <QMap>
#include <QMutex>
#include <QString>

// Faults programmed per exact request path; shared by the server's threads.
class NxCloudFaultTable
{
public:
    void set(const QString& path, const NxCloudFault& fault);
    void clear();
    // The fault for this request (a default one if none) and counts one use.
    NxCloudFault take(const QString& path);

private:
    mutable QMutex m_mutex;
    QMap<QString, NxCloudFault> m_faults;
};
