#include "NxPostgresServer.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpServer>
#include <QUuid>

#include <pwd.h>
#include <sys/types.h>
#include <unistd.h>

namespace {
const QString kUser = QStringLiteral("nx");
const QString kPassword = QStringLiteral("nx-test-password");
const QString kServerUser = QStringLiteral("postgres");
const int kCommandTimeoutMs = 120000;
const int kStartAttempts = 3;

bool isRoot()
{
    return geteuid() == 0;
}

quint16 freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}
}

NxPostgresServer::NxPostgresServer()
    : m_bin(binDirectory())
{
    if (m_bin.isEmpty())
        m_problem = QStringLiteral("no /usr/lib/postgresql/*/bin/initdb (Debian package postgresql)");
    else if (!m_dir.isValid())
        m_problem = QStringLiteral("no temporary directory");
    else
        start();
}

NxPostgresServer::~NxPostgresServer()
{
    if (m_running)
        run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                                       QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                       QStringLiteral("stop")});
}

QString NxPostgresServer::problem() const
{
    return m_problem;
}

QString NxPostgresServer::binDirectory()
{
    // The newest installed major version.
    QStringList versions = QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(versions.begin(), versions.end(), numeric);
    for (auto it = versions.rbegin(); it != versions.rend(); ++it) {
        const QString bin = QStringLiteral("/usr/lib/postgresql/%1/bin").arg(*it);
        if (QFile::exists(bin + QStringLiteral("/initdb")))
            return bin;
    }
    return QString();
}

bool NxPostgresServer::start()
{
    if (!makeCluster())
        return false;
    const QString sockets = m_dir.filePath(QStringLiteral("sockets"));
    // A port found free may be taken before the server binds it: try again.
    for (int attempt = 0; attempt < kStartAttempts && !m_running; ++attempt) {
        m_port = freeLoopbackPort();
        const QString settings = QStringLiteral("-c listen_addresses=127.0.0.1 -p %1 -k %2 -c fsync=off")
                                     .arg(m_port).arg(sockets);
        m_running = run(QStringLiteral("pg_ctl"),
                        {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-l"),
                         m_dir.filePath(QStringLiteral("server.log")), QStringLiteral("-w"), QStringLiteral("-t"),
                         QStringLiteral("60"), QStringLiteral("-o"), settings, QStringLiteral("start")});
    }
    if (m_running)
        m_problem.clear();
    return m_running;
}

bool NxPostgresServer::makeCluster()
{
    const QString passwordFile = m_dir.filePath(QStringLiteral("password"));
    QFile file(passwordFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(kPassword.toUtf8() + '\n') < 0) {
        m_problem = QStringLiteral("cannot write ") + passwordFile;
        return false;
    }
    file.close();
    if (!QDir(m_dir.path()).mkpath(QStringLiteral("sockets")) || !handToServerUser(m_dir.path())
        || !handToServerUser(passwordFile) || !handToServerUser(m_dir.filePath(QStringLiteral("sockets"))))
        return false;
    return run(QStringLiteral("initdb"),
               {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")), QStringLiteral("-U"), kUser,
                QStringLiteral("--pwfile=") + passwordFile, QStringLiteral("--auth=scram-sha-256"),
                QStringLiteral("-E"), QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync")});
}

bool NxPostgresServer::handToServerUser(const QString& path)
{
    if (!isRoot())
        return true;
    const passwd* account = getpwnam(kServerUser.toLocal8Bit().constData());
    if (account && chown(QFile::encodeName(path).constData(), account->pw_uid, account->pw_gid) == 0)
        return true;
    m_problem = QStringLiteral("cannot hand %1 to the user %2").arg(path, kServerUser);
    return false;
}

bool NxPostgresServer::run(const QString& program, const QStringList& arguments)
{
    // initdb and the server refuse to run as root.
    const QString path = m_bin + QLatin1Char('/') + program;
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (isRoot())
        process.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), kServerUser, QStringLiteral("--"), path} + arguments);
    else
        process.start(path, arguments);
    const bool done = process.waitForFinished(kCommandTimeoutMs) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (!done)
        m_problem = QStringLiteral("%1 failed: %2").arg(program, QString::fromLocal8Bit(process.readAll()).trimmed());
    return done;
}

bool NxPostgresServer::restart()
{
    // The server starts again with the settings of its last start.
    return run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), m_dir.filePath(QStringLiteral("data")),
                                          QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"),
                                          QStringLiteral("restart")});
}

QString NxPostgresServer::url(const QString& database) const
{
    return QStringLiteral("postgresql://%1:%2@127.0.0.1:%3/%4").arg(kUser, kPassword).arg(m_port).arg(database);
}

QString NxPostgresServer::createDatabase(const QString& name)
{
    static const QRegularExpression identifier(QStringLiteral("^[a-z][a-z0-9_]{0,40}$"));
    if (!identifier.match(name).hasMatch() || !m_running) {
        m_problem = QStringLiteral("no database %1: not a plain name or no server").arg(name);
        return QString();
    }
    const QString connection = QStringLiteral("nx-postgres-") + QUuid::createUuid().toString(QUuid::Id128);
    bool created = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        db.setHostName(QStringLiteral("127.0.0.1"));
        db.setPort(m_port);
        db.setUserName(kUser);
        db.setPassword(kPassword);
        db.setDatabaseName(QStringLiteral("postgres"));
        created = db.open();
        // A name is no value: it cannot be bound, so it was checked above.
        QSqlQuery query(db);
        created = created && query.exec(QStringLiteral("CREATE DATABASE ") + name);
        if (!created)
            m_problem = db.lastError().text() + query.lastError().text();
    }
    QSqlDatabase::removeDatabase(connection);
    return created ? url(name) : QString();
}
