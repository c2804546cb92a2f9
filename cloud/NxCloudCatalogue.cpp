#include "NxCloudCatalogue.h"

#include "NxCloudLiveCodeTable.h"
#include "NxCloudOwnChannelTable.h"
#include "NxCloudStore.h"
#include "NxCloudTeacherTable.h"

#include <QDateTime>
#include <QtDebug>

namespace {
const NxCloudStore::Areas kOwnChange = NxCloudStore::Area::OwnChannels | NxCloudStore::Area::Teachers;

// Answers go on without what the database could not give; the log says why.
bool logged(bool ok, const char* where, const QString& error)
{
    if (!ok)
        qWarning().noquote() << where << error;
    return ok;
}
}

NxCloudCatalogue::NxCloudCatalogue(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

bool NxCloudCatalogue::hasCategory(const QString& channelId) const
{
    return m_store->snapshot()->hasCategory(channelId);
}

QJsonObject NxCloudCatalogue::category(const QString& channelId) const
{
    return m_store->snapshot()->category(channelId);
}

QStringList NxCloudCatalogue::categoryIds() const
{
    return m_store->snapshot()->categoryIds();
}

QJsonArray NxCloudCatalogue::offeredGroups() const
{
    return m_store->snapshot()->offered();
}

QSharedPointer<const NxCloudSnapshot> NxCloudCatalogue::snapshot() const
{
    return m_store->snapshot();
}

QJsonArray NxCloudCatalogue::userChannels(const QString& userId) const
{
    QJsonArray channels;
    QString error;
    logged(m_store->read([&](QSqlDatabase& db, QString* e) { return NxCloudOwnChannelTable::list(db, userId, &channels, e); },
                         &error),
           "NxCloudCatalogue::userChannels", error);
    return channels;
}

void NxCloudCatalogue::setUserChannels(const QString& userId, const QJsonArray& channels)
{
    QString error;
    logged(m_store->change(kOwnChange,
                           [&](QSqlDatabase& db, QString* e) { return NxCloudOwnChannelTable::replace(db, userId, channels, e); },
                           &error),
           "NxCloudCatalogue::setUserChannels", error);
}

QStringList NxCloudCatalogue::userIds() const
{
    QStringList ids;
    QString error;
    logged(m_store->read([&](QSqlDatabase& db, QString* e) { return NxCloudTeacherTable::ids(db, &ids, e); }, &error),
           "NxCloudCatalogue::userIds", error);
    return ids;
}

bool NxCloudCatalogue::hasUser(const QString& userId) const
{
    NxCloudTeacherTable::Teacher teacher;
    bool found = false;
    QString error;
    return logged(m_store->read([&](QSqlDatabase& db, QString* e) {
                      return NxCloudTeacherTable::find(db, userId, &teacher, &found, e);
                  }, &error),
                  "NxCloudCatalogue::hasUser", error)
        && found;
}

QJsonObject NxCloudCatalogue::addUserChannel(const QString& userId, const QJsonObject& channel)
{
    QJsonObject stored;
    QString error;
    const bool added = m_store->change(kOwnChange, [&](QSqlDatabase& db, QString* e) {
        return NxCloudOwnChannelTable::add(db, userId, channel, &stored, e);
    }, &error);
    return logged(added, "NxCloudCatalogue::addUserChannel", error) ? stored : QJsonObject();
}

int NxCloudCatalogue::removeUserChannels(const QString& userId, const QStringList& channelIds)
{
    int removed = 0;
    QString error;
    const bool done = m_store->change(NxCloudStore::Area::OwnChannels, [&](QSqlDatabase& db, QString* e) {
        return NxCloudOwnChannelTable::remove(db, userId, channelIds, &removed, e);
    }, &error);
    return logged(done, "NxCloudCatalogue::removeUserChannels", error) ? removed : 0;
}

QString NxCloudCatalogue::liveClip(const QString& code) const
{
    QString address;
    QString error;
    logged(m_store->read([&](QSqlDatabase& db, QString* e) {
               return NxCloudLiveCodeTable::address(db, code, QDateTime::currentMSecsSinceEpoch(), &address, e);
           }, &error),
           "NxCloudCatalogue::liveClip", error);
    return address;
}
