#pragma once

#include <QString>
#include <functional>

class NxCloudDatabase;
class QObject;
class QSqlDatabase;

// Several instances on one PostgreSQL database: each committed change is
// announced with NOTIFY (delivered at commit, so never for a rollback) and
// every other instance hears it through LISTEN on its own connection. A
// connection the server dropped is noticed within a check period, opened
// again, subscribed again, and everything counts as changed, since
// announcements made meanwhile are lost.
class NxCloudChangeFeed
{
public:
    // Areas as NxCloudStore::Areas' bits; called on the database's thread.
    using Heard = std::function<void(int areas)>;

    // Inside the transaction of the change.
    static bool publish(const QSqlDatabase& db, int areas, QString* error);

    NxCloudChangeFeed(NxCloudDatabase& database, int everything, Heard heard);
    ~NxCloudChangeFeed();
    NxCloudChangeFeed(const NxCloudChangeFeed&) = delete;
    NxCloudChangeFeed& operator=(const NxCloudChangeFeed&) = delete;

private:
    void startHere();
    void subscribe(QSqlDatabase& db);
    void hear(int areas);
    void deliver();
    void checkConnection();

    NxCloudDatabase& m_database;
    const int m_everything;
    const Heard m_heard;
    QObject* m_context = nullptr;  // lives on the database's thread
    int m_pending = 0;             // used on the database's thread only
};
