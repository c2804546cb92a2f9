#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QSharedPointer>
#include <QStringList>

class NxCloudSnapshot;
class NxCloudStore;

// The service's channels and live codes as the endpoints read and change
// them. Categories and the groups offered come from the store's snapshot;
// teachers' own channels and live codes from the database itself.
// Seed layout:
//   "categories": { "<channelId>": { "bannerCount": n, "data": <root channel> } }
//   "offered":    [ <group channel with "children"> ... ]
//   "users":      { "<userId>": [ <channel> ... ] }
//   "liveCodes":  { "<code>": { "clip": "media/<file>" or an absolute URL } }
class NxCloudCatalogue
{
public:
    explicit NxCloudCatalogue(QSharedPointer<NxCloudStore> store);

    bool hasCategory(const QString& channelId) const;
    QJsonObject category(const QString& channelId) const;
    QStringList categoryIds() const;
    QJsonArray offeredGroups() const;
    // What the four above read, as one consistent state.
    QSharedPointer<const NxCloudSnapshot> snapshot() const;

    QJsonArray userChannels(const QString& userId) const;
    void setUserChannels(const QString& userId, const QJsonArray& channels);
    QStringList userIds() const;
    bool hasUser(const QString& userId) const;
    // Appends a copy under a new channelId and id; returns what was stored.
    QJsonObject addUserChannel(const QString& userId, const QJsonObject& channel);
    // How many of the ids were in the user's list (and are gone now).
    int removeUserChannels(const QString& userId, const QStringList& channelIds);

    // The clip reference of a live code; empty when the code is unknown,
    // disabled or outside its validity.
    QString liveClip(const QString& code) const;

private:
    QSharedPointer<NxCloudStore> m_store;
};
