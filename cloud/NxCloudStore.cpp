#include "NxCloudStore.h"

#include "NxCloudAuditLog.h"
#include "NxCloudExchange.h"
#include "NxCloudQuery.h"
#include "NxCloudSchema.h"

#include <QMutexLocker>
#include <QtDebug>

namespace {
const NxCloudStore::Areas kSnapshotAreas = NxCloudStore::Area::Catalogue | NxCloudStore::Area::Pictures;
}

NxCloudStore::NxCloudStore(const NxCloudDatabaseAddress& address)
    : m_database(std::make_unique<NxCloudDatabase>(address))
    , m_snapshot(QSharedPointer<const NxCloudSnapshot>::create())
{
}

NxCloudStore::~NxCloudStore()
{
    m_feed.reset();
}

QSharedPointer<NxCloudStore> NxCloudStore::open(const NxCloudDatabaseAddress& address, QString* error)
{
    QSharedPointer<NxCloudStore> store(new NxCloudStore(address));
    if (!store->m_database->open(error) || !NxCloudSchema::migrate(*store->m_database, error)
        || !store->reload(Area::Everything, error))
        return QSharedPointer<NxCloudStore>();
    if (address.isPostgres()) {
        NxCloudStore* self = store.data();
        store->m_feed = std::make_unique<NxCloudChangeFeed>(*store->m_database, static_cast<int>(Area::Everything),
                                                            [self](int areas) { self->heard(Areas(areas)); });
    }
    return store;
}

QSharedPointer<NxCloudStore> NxCloudStore::fromSeed(const QJsonObject& seed, const QString& pictureDir)
{
    QString error;
    bool filled = false;
    QSharedPointer<NxCloudStore> store = open(NxCloudDatabaseAddress::memory(), &error);
    if (!store || !store->fill(seed, pictureDir, &filled, &error))
        qCritical().noquote() << "NxCloudStore::fromSeed" << error;
    return store;
}

NxCloudDatabase& NxCloudStore::database()
{
    return *m_database;
}

QSharedPointer<const NxCloudSnapshot> NxCloudStore::snapshot() const
{
    QMutexLocker lock(&m_mutex);
    return m_snapshot;
}

bool NxCloudStore::change(Areas areas, const NxCloudDatabase::Work& work, QString* error)
{
    QString local;
    QString* why = error ? error : &local;
    const bool counted = areas & kSnapshotAreas;
    const bool done = m_database->write(
        [&](QSqlDatabase& db, QString* e) {
            // Other instances compare this counter with their snapshot's.
            return work(db, e)
                && (!counted || NxCloudQuery::run(db, QStringLiteral("UPDATE counters SET value = value + 1 WHERE name = ?"),
                                                  {QStringLiteral("catalogue_generation")}, e))
                && (!m_feed || NxCloudChangeFeed::publish(db, static_cast<int>(areas), e));
        },
        why);
    if (!done)
        return false;
    if (counted && !reload(areas & kSnapshotAreas, &local))
        qWarning().noquote() << "NxCloudStore::change snapshot not rebuilt:" << local;
    notify(areas);
    return true;
}

bool NxCloudStore::read(const NxCloudDatabase::Work& work, QString* error)
{
    QString local;
    return m_database->read(work, error ? error : &local);
}

bool NxCloudStore::reload(Areas areas, QString* error)
{
    // Runs on the database's thread, one reload after the other, so each
    // starts from the snapshot the one before left.
    return read(
        [&](QSqlDatabase& db, QString* e) {
            auto next = QSharedPointer<NxCloudSnapshot>::create();
            if (!NxCloudSnapshot::load(db, *snapshot(), areas.testFlag(Area::Catalogue),
                                       areas.testFlag(Area::Pictures), next.data(), e))
                return false;
            QMutexLocker lock(&m_mutex);
            m_snapshot = next;
            return true;
        },
        error);
}

void NxCloudStore::addListener(const Listener& listener)
{
    QMutexLocker lock(&m_mutex);
    m_listeners.append(listener);
}

void NxCloudStore::notify(Areas areas)
{
    QList<Listener> listeners;
    {
        QMutexLocker lock(&m_mutex);
        listeners = m_listeners;
    }
    for (const Listener& listener : listeners)
        listener(areas);
}

void NxCloudStore::heard(Areas areas)
{
    QString error;
    if ((areas & kSnapshotAreas) && !reload(areas & kSnapshotAreas, &error))
        qWarning().noquote() << "NxCloudStore: another instance's change not read:" << error;
    notify(areas);
}

bool NxCloudStore::isEmpty(bool* empty, QString* error)
{
    return read([&](QSqlDatabase& db, QString* e) { return NxCloudExchange::isEmpty(db, empty, e); }, error);
}

bool NxCloudStore::fill(const QJsonObject& seed, const QString& pictureDir, bool* filled, QString* error)
{
    const QJsonObject document = NxCloudExchange::fromSeed(seed, pictureDir);
    *filled = false;
    return change(
        Area::Everything,
        [&](QSqlDatabase& db, QString* e) {
            // Asked inside the transaction that fills it.
            return NxCloudExchange::isEmpty(db, filled, e)
                && (!*filled
                    || (NxCloudExchange::importAll(db, document, e)
                        && NxCloudAuditLog::append(db, QStringLiteral("service"), QStringLiteral("seed"), QString(),
                                                   QString(), e)));
        },
        error);
}

bool NxCloudStore::exportAll(QJsonObject* document, QString* error)
{
    *document = QJsonObject();
    return read([&](QSqlDatabase& db, QString* e) { return NxCloudExchange::exportAll(db, document, e); }, error);
}

bool NxCloudStore::importAll(const QJsonObject& document, const QString& actor, QString* error)
{
    return change(
        Area::Everything,
        [&](QSqlDatabase& db, QString* e) {
            return NxCloudExchange::importAll(db, document, e)
                && NxCloudAuditLog::append(db, actor, QStringLiteral("import"), QString(), QString(), e);
        },
        error);
}
