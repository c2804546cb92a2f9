#pragma once

#include "NxCloudDatabaseAddress.h"
#include "NxCloudSqlDialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QThread>
#include <functional>
#include <type_traits>
#include <utility>

// The service's one connection to its database, on a thread of its own: Qt
// SQL allows a connection only on the thread that opened it, while the HTTP
// workers, the main thread and tests all reach it through call().
class NxCloudDatabase
{
public:
    // Statements of one transaction; false (with error set) rolls it back.
    using Work = std::function<bool(QSqlDatabase&, QString*)>;
    // Runs on the database's thread after the connection was opened again.
    using Reconnected = std::function<void(QSqlDatabase&)>;

    explicit NxCloudDatabase(const NxCloudDatabaseAddress& address);
    ~NxCloudDatabase();
    NxCloudDatabase(const NxCloudDatabase&) = delete;
    NxCloudDatabase& operator=(const NxCloudDatabase&) = delete;

    bool open(QString* error);
    const NxCloudDatabaseAddress& address() const;
    const NxCloudSqlDialect& dialect() const;

    // Runs task(connection) on the database's thread and waits for it.
    template <class Task>
    auto call(Task task) -> decltype(task(std::declval<QSqlDatabase&>()));
    // All of work or none of it. Inside another transaction, work joins it.
    bool write(const Work& work, QString* error);
    // Reads that see one consistent state of the database.
    bool read(const Work& work, QString* error);
    // What a connection loses when it is opened again (subscriptions) is
    // set up again by hook; set and cleared on any thread.
    void setReconnected(const Reconnected& hook);

private:
    void runOnThread(const std::function<void()>& task);
    bool transaction(const QString& begin, const Work& work, QString* error);
    bool openHere(QString* error);
    bool connectHere(QString* error);
    bool beginHere(const QString& begin, QString* error);
    void closeHere();

    const NxCloudDatabaseAddress m_address;
    const NxCloudSqlDialect m_dialect;
    const QString m_connectionName;
    QThread m_thread;
    QObject* m_context;
    QSqlDatabase m_db;  // used on m_thread only
    bool m_inTransaction = false;
    Reconnected m_reconnected;  // used on m_thread only
};

template <class Task>
auto NxCloudDatabase::call(Task task) -> decltype(task(std::declval<QSqlDatabase&>()))
{
    using Result = decltype(task(std::declval<QSqlDatabase&>()));
    if constexpr (std::is_void_v<Result>) {
        runOnThread([&] { task(m_db); });
    } else {
        Result result{};
        runOnThread([&] { result = task(m_db); });
        return result;
    }
}
