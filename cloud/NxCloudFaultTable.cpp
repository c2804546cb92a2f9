#include "NxCloudFaultTable.h"

#include <QMutexLocker>

void NxCloudFaultTable::set(const QString& path, const NxCloudFault& fault)
{
    QMutexLocker lock(&m_mutex);
    if (fault.isUsedUp())
        m_faults.remove(path);
    else
        m_faults.insert(path, fault);
}

void NxCloudFaultTable::clear()
{
    QMutexLocker lock(&m_mutex);
    m_faults.clear();
}

NxCloudFault NxCloudFaultTable::take(const QString& path)
{
    QMutexLocker lock(&m_mutex);
    auto it = m_faults.find(path);
    if (it == m_faults.end())
        return NxCloudFault();
    const NxCloudFault fault = it.value();
    if (it->times > 0 && --it->times == 0)
        m_faults.erase(it);
    return fault;
}
