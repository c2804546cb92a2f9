#pragma once

#include "NxCloudChangeFeed.h"
#include "NxCloudDatabase.h"
#include "NxCloudSnapshot.h"

#include <QFlags>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QSharedPointer>
#include <QString>
#include <functional>
#include <memory>

// The service's data: the database, brought up to date when opened, and a
// snapshot of the answers the panels ask for most, rebuilt after each change
// of the catalogue or the pictures, so HTTP threads never wait for the
// database on those paths. Everything else that matters (own channels,
// sign-in codes, live codes) is read from the database when asked, so
// several instances on one database agree on it at once.
class NxCloudStore
{
public:
    enum class Area
    {
        Catalogue = 0x01,  // categories, TV stations, groups offered
        Pictures = 0x02,
        Teachers = 0x04,
        OwnChannels = 0x08,
        LiveCodes = 0x10,
        SignIn = 0x20,
        Everything = 0x3f
    };
    Q_DECLARE_FLAGS(Areas, Area)
    // Hears of every committed change, on the thread that made it, and of
    // changes other instances on the same PostgreSQL database announce, on
    // the database's thread.
    using Listener = std::function<void(Areas)>;

    // Null, with error set, when the database cannot be opened or was made
    // by a newer program.
    static QSharedPointer<NxCloudStore> open(const NxCloudDatabaseAddress& address, QString* error);
    // A private in-memory database filled from seed (demos, in-process tests).
    static QSharedPointer<NxCloudStore> fromSeed(const QJsonObject& seed, const QString& pictureDir = QString());

    ~NxCloudStore();
    NxCloudStore(const NxCloudStore&) = delete;
    NxCloudStore& operator=(const NxCloudStore&) = delete;

    NxCloudDatabase& database();
    QSharedPointer<const NxCloudSnapshot> snapshot() const;

    // All of work or none of it, then the snapshot and the listeners follow.
    bool change(Areas areas, const NxCloudDatabase::Work& work, QString* error = nullptr);
    bool read(const NxCloudDatabase::Work& work, QString* error = nullptr);
    // Reads the areas into the snapshot again, e.g. after another instance
    // changed them.
    bool reload(Areas areas, QString* error = nullptr);
    void addListener(const Listener& listener);

    bool isEmpty(bool* empty, QString* error);
    // Imports seed only into an empty database; filled says whether it did.
    bool fill(const QJsonObject& seed, const QString& pictureDir, bool* filled, QString* error);
    bool exportAll(QJsonObject* document, QString* error);
    // Replaces the whole catalogue, all or nothing, recorded as actor's.
    bool importAll(const QJsonObject& document, const QString& actor, QString* error);

private:
    explicit NxCloudStore(const NxCloudDatabaseAddress& address);
    void notify(Areas areas);
    void heard(Areas areas);

    std::unique_ptr<NxCloudDatabase> m_database;
    std::unique_ptr<NxCloudChangeFeed> m_feed;  // PostgreSQL only; goes before the database
    mutable QMutex m_mutex;
    QSharedPointer<const NxCloudSnapshot> m_snapshot;
    QList<Listener> m_listeners;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(NxCloudStore::Areas)
