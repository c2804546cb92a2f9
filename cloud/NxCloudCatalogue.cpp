#include "NxCloudCatalogue.h"

#include <QMutexLocker>

NxCloudCatalogue::NxCloudCatalogue(const QJsonObject& seed)
    : m_offered(seed.value(QStringLiteral("offered")).toArray())
{
    const QJsonObject categories = seed.value(QStringLiteral("categories")).toObject();
    for (auto it = categories.begin(); it != categories.end(); ++it)
        m_categories.insert(it.key(), it.value().toObject());
    const QJsonObject users = seed.value(QStringLiteral("users")).toObject();
    for (auto it = users.begin(); it != users.end(); ++it)
        m_users.insert(it.key(), it.value().toArray());
}

bool NxCloudCatalogue::hasCategory(const QString& channelId) const
{
    QMutexLocker lock(&m_mutex);
    return m_categories.contains(channelId);
}

QJsonObject NxCloudCatalogue::category(const QString& channelId) const
{
    QMutexLocker lock(&m_mutex);
    return m_categories.value(channelId);
}

QStringList NxCloudCatalogue::categoryIds() const
{
    QMutexLocker lock(&m_mutex);
    return m_categories.keys();
}

QJsonArray NxCloudCatalogue::offeredGroups() const
{
    QMutexLocker lock(&m_mutex);
    return m_offered;
}

QJsonArray NxCloudCatalogue::userChannels(const QString& userId) const
{
    QMutexLocker lock(&m_mutex);
    return m_users.value(userId);
}

void NxCloudCatalogue::setUserChannels(const QString& userId, const QJsonArray& channels)
{
    QMutexLocker lock(&m_mutex);
    m_users.insert(userId, channels);
}

QStringList NxCloudCatalogue::userIds() const
{
    QMutexLocker lock(&m_mutex);
    return m_users.keys();
}
