#include "NxCloudDatabase.h"

#include "NxCloudQuery.h"

#include <QSqlError>
#include <QUuid>

NxCloudDatabase::NxCloudDatabase(const NxCloudDatabaseAddress& address)
    : m_address(address)
    , m_dialect(address.isPostgres())
    , m_connectionName(QStringLiteral("nxcloud-") + QUuid::createUuid().toString(QUuid::Id128))
    , m_context(new QObject)
{
    m_thread.setObjectName(QStringLiteral("NxCloudDatabase"));
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

NxCloudDatabase::~NxCloudDatabase()
{
    runOnThread([this] { closeHere(); });
    m_thread.quit();
    m_thread.wait();
    delete m_context;
}

bool NxCloudDatabase::open(QString* error)
{
    return call([this, error](QSqlDatabase&) { return openHere(error); });
}

const NxCloudDatabaseAddress& NxCloudDatabase::address() const
{
    return m_address;
}

const NxCloudSqlDialect& NxCloudDatabase::dialect() const
{
    return m_dialect;
}

bool NxCloudDatabase::write(const Work& work, QString* error)
{
    return transaction(m_dialect.beginWrite(), work, error);
}

bool NxCloudDatabase::read(const Work& work, QString* error)
{
    return transaction(m_dialect.beginRead(), work, error);
}

void NxCloudDatabase::setReconnected(const Reconnected& hook)
{
    runOnThread([this, hook] { m_reconnected = hook; });
}

void NxCloudDatabase::runOnThread(const std::function<void()>& task)
{
    if (QThread::currentThread() == &m_thread)
        task();
    else
        QMetaObject::invokeMethod(m_context, task, Qt::BlockingQueuedConnection);
}

bool NxCloudDatabase::transaction(const QString& begin, const Work& work, QString* error)
{
    return call([&](QSqlDatabase& db) {
        if (m_inTransaction)
            return work(db, error);
        if (!beginHere(begin, error))
            return false;
        m_inTransaction = true;
        const bool done = work(db, error) && NxCloudQuery::run(db, QStringLiteral("COMMIT"), {}, error);
        m_inTransaction = false;
        if (!done)
            NxCloudQuery::run(db, QStringLiteral("ROLLBACK"), {}, nullptr);
        return done;
    });
}

bool NxCloudDatabase::openHere(QString* error)
{
    if (!QSqlDatabase::isDriverAvailable(m_address.driverName())) {
        *error = QStringLiteral("the Qt SQL driver %1 is not installed (Debian: %2)")
                     .arg(m_address.driverName(), m_address.isPostgres() ? QStringLiteral("libqt5sql5-psql")
                                                                         : QStringLiteral("libqt5sql5-sqlite"));
        return false;
    }
    m_db = QSqlDatabase::addDatabase(m_address.driverName(), m_connectionName);
    m_address.configure(m_db);
    return connectHere(error);
}

bool NxCloudDatabase::connectHere(QString* error)
{
    if (!m_db.open()) {
        *error = QStringLiteral("cannot open %1: %2").arg(m_address.describe(), m_db.lastError().text().trimmed());
        return false;
    }
    const bool walFile = m_address.kind() == NxCloudDatabaseAddress::Kind::SqliteFile;
    for (const QString& setting : m_dialect.connectionSettings(walFile)) {
        if (!NxCloudQuery::run(m_db, setting, {}, error))
            return false;
    }
    return true;
}

bool NxCloudDatabase::beginHere(const QString& begin, QString* error)
{
    if (NxCloudQuery::run(m_db, begin, {}, error))
        return true;
    // A database server that restarted dropped the connection: open it again.
    m_db.close();
    if (!connectHere(error))
        return false;
    if (m_reconnected)
        m_reconnected(m_db);
    return NxCloudQuery::run(m_db, begin, {}, error);
}

void NxCloudDatabase::closeHere()
{
    if (!m_db.isValid())
        return;
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
}
