#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtGlobal>

// A real PostgreSQL server for one test program: a cluster that initdb makes
// in a temporary directory, started by pg_ctl on a free loopback port with a
// private socket directory, and stopped with the object. As root the server
// runs as the "postgres" user, which then owns the directory.
class NxPostgresServer
{
public:
    NxPostgresServer();
    ~NxPostgresServer();
    NxPostgresServer(const NxPostgresServer&) = delete;
    NxPostgresServer& operator=(const NxPostgresServer&) = delete;

    // Empty when the server runs, else why it does not.
    QString problem() const;
    // A new empty database, as an address for --database; empty on failure
    // (problem() says why).
    QString createDatabase(const QString& name);
    QString url(const QString& database) const;
    // Stops and starts the server again, which drops every connection.
    bool restart();

private:
    static QString binDirectory();
    bool start();
    bool makeCluster();
    bool run(const QString& program, const QStringList& arguments);
    bool handToServerUser(const QString& path);

    QTemporaryDir m_dir;
    QString m_bin;
    quint16 m_port = 0;
    bool m_running = false;
    QString m_problem;
};
