#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QMutex>
#include <QStringList>

// The service's data, taken from the seed and changed by later requests.
// Seed layout:
//   "categories": { "<channelId>": { "bannerCount": n, "data": <root channel> } }
//   "offered":    [ <group channel with "children"> ... ]
//   "users":      { "<userId>": [ <channel> ... ] }
class NxCloudCatalogue
{
public:
    explicit NxCloudCatalogue(const QJsonObject& seed);

    bool hasCategory(const QString& channelId) const;
    QJsonObject category(const QString& channelId) const;
    QStringList categoryIds() const;
    QJsonArray offeredGroups() const;

    QJsonArray userChannels(const QString& userId) const;
    void setUserChannels(const QString& userId, const QJsonArray& channels);
    QStringList userIds() const;

private:
    mutable QMutex m_mutex;
    QMap<QString, QJsonObject> m_categories;
    QJsonArray m_offered;
    QMap<QString, QJsonArray> m_users;
};
