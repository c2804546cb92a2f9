#include "NxCloudCatalogue.h"

#include <QMutexLocker>

namespace {
// Own channels are numbered far above the seed's ids.
const int kFirstOwnId = 900001;
}

NxCloudCatalogue::NxCloudCatalogue(const QJsonObject& seed)
    : m_offered(seed.value(QStringLiteral("offered")).toArray())
    , m_liveCodes(seed.value(QStringLiteral("liveCodes")).toObject())
    , m_nextOwnId(kFirstOwnId)
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

bool NxCloudCatalogue::hasUser(const QString& userId) const
{
    QMutexLocker lock(&m_mutex);
    return m_users.contains(userId);
}

QJsonObject NxCloudCatalogue::addUserChannel(const QString& userId, const QJsonObject& channel)
{
    QMutexLocker lock(&m_mutex);
    const int id = m_nextOwnId++;
    QJsonObject stored = channel;
    stored.insert(QStringLiteral("id"), id);
    stored.insert(QStringLiteral("channelId"), QStringLiteral("own-%1").arg(id));
    stored.insert(QStringLiteral("images"), withNumericOrder(channel.value(QStringLiteral("images")).toArray()));
    m_users[userId].append(stored);
    return stored;
}

int NxCloudCatalogue::removeUserChannels(const QString& userId, const QStringList& channelIds)
{
    QMutexLocker lock(&m_mutex);
    const QJsonArray channels = m_users.value(userId);
    QJsonArray kept;
    for (const QJsonValue& channel : channels) {
        if (!channelIds.contains(channel.toObject().value(QStringLiteral("channelId")).toString()))
            kept.append(channel);
    }
    if (m_users.contains(userId))
        m_users.insert(userId, kept);
    return channels.size() - kept.size();
}

QString NxCloudCatalogue::liveClip(const QString& code) const
{
    QMutexLocker lock(&m_mutex);
    return m_liveCodes.value(code).toObject().value(QStringLiteral("clip")).toString();
}

QJsonArray NxCloudCatalogue::withNumericOrder(const QJsonArray& images)
{
    // Clients send "order" as a string but read it back as a number.
    QJsonArray out;
    for (const QJsonValue& value : images) {
        QJsonObject image = value.toObject();
        const QJsonValue order = image.value(QStringLiteral("order"));
        if (order.isString())
            image.insert(QStringLiteral("order"), order.toString().toInt());
        out.append(image);
    }
    return out;
}
