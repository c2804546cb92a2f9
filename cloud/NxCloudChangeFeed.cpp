#include "NxCloudChangeFeed.h"

#include "NxCloudDatabase.h"
#include "NxCloudQuery.h"

#include <QObject>
#include <QSqlDriver>
#include <QTimer>
#include <QtDebug>

namespace {
const QString kChannel = QStringLiteral("nx_cloud_changes");
// How long a dropped connection may go unnoticed.
const int kCheckMs = 1000;
}

bool NxCloudChangeFeed::publish(const QSqlDatabase& db, int areas, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("SELECT pg_notify(?, ?)"), {kChannel, QString::number(areas)}, error);
}

NxCloudChangeFeed::NxCloudChangeFeed(NxCloudDatabase& database, int everything, Heard heard)
    : m_database(database)
    , m_everything(everything)
    , m_heard(std::move(heard))
{
    m_database.call([this](QSqlDatabase& db) {
        startHere();
        subscribe(db);
    });
    m_database.setReconnected([this](QSqlDatabase& db) {
        subscribe(db);
        hear(m_everything);
    });
}

NxCloudChangeFeed::~NxCloudChangeFeed()
{
    m_database.setReconnected(nullptr);
    m_database.call([this](QSqlDatabase& db) {
        if (db.isValid() && db.driver())
            db.driver()->unsubscribeFromNotification(kChannel);
        delete m_context;
    });
}

void NxCloudChangeFeed::startHere()
{
    m_context = new QObject;
    auto* timer = new QTimer(m_context);
    QObject::connect(timer, &QTimer::timeout, m_context, [this] { checkConnection(); });
    timer->start(kCheckMs);
}

void NxCloudChangeFeed::subscribe(QSqlDatabase& db)
{
    QSqlDriver* driver = db.driver();
    // The driver stays the same object across reconnections: connect once.
    QObject::disconnect(driver, nullptr, m_context, nullptr);
    QObject::connect(driver, QOverload<const QString&, QSqlDriver::NotificationSource, const QVariant&>::of(&QSqlDriver::notification),
                     m_context, [this](const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload) {
                         // Our own announcements: this instance changed its snapshot already.
                         if (name == kChannel && source != QSqlDriver::SelfSource)
                             hear(payload.toInt());
                     });
    if (!driver->subscribeToNotification(kChannel))
        qWarning().noquote() << "NxCloudChangeFeed: cannot listen for changes of other instances";
}

void NxCloudChangeFeed::hear(int areas)
{
    // Delivered after the driver's own handling, and one reload for a burst.
    const bool scheduled = m_pending != 0;
    m_pending |= areas == 0 ? m_everything : areas;
    if (!scheduled)
        QMetaObject::invokeMethod(m_context, [this] { deliver(); }, Qt::QueuedConnection);
}

void NxCloudChangeFeed::deliver()
{
    const int areas = m_pending;
    m_pending = 0;
    if (areas != 0)
        m_heard(areas);
}

void NxCloudChangeFeed::checkConnection()
{
    // A failed start of a transaction opens the connection again, which
    // calls the reconnection hook.
    QString error;
    if (!m_database.read([](QSqlDatabase& db, QString* e) { return NxCloudQuery::run(db, QStringLiteral("SELECT 1"), {}, e); },
                         &error))
        qWarning().noquote() << "NxCloudChangeFeed: database unreachable:" << error;
}
