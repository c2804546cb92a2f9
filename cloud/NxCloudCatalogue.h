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
//   "liveCodes":  { "<code>": { "clip": "media/<file>" or an absolute URL } }
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
    bool hasUser(const QString& userId) const;
    // Appends a copy under a new channelId and id; returns what was stored.
    QJsonObject addUserChannel(const QString& userId, const QJsonObject& channel);
    // How many of the ids were in the user's list (and are gone now).
    int removeUserChannels(const QString& userId, const QStringList& channelIds);

    // The clip reference of a live code; empty when the code is unknown.
    QString liveClip(const QString& code) const;

private:
    static QJsonArray withNumericOrder(const QJsonArray& images);

    mutable QMutex m_mutex;
    QMap<QString, QJsonObject> m_categories;
    QJsonArray m_offered;
    QMap<QString, QJsonArray> m_users;
    QJsonObject m_liveCodes;
    int m_nextOwnId;
};
