#include "NxAdminSessionTable.h"

#include "NxCloudQuery.h"

namespace {
// Marking every request as a use would make each one a write.
const qint64 kTouchEveryMs = 60 * 1000;
}

bool NxAdminSessionTable::create(const QSqlDatabase& db, qint64 adminId, const QString& tokenHash,
                                 const QString& csrf, qint64 now, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM admin_sessions WHERE last_seen < ?"), {now - kIdleMs},
                             error)
        && NxCloudQuery::run(db, QStringLiteral("INSERT INTO admin_sessions"
                                                " (token_hash, admin_id, csrf, created_at, last_seen)"
                                                " VALUES (?, ?, ?, ?, ?)"),
                             {tokenHash, adminId, csrf, now, now}, error);
}

bool NxAdminSessionTable::use(const QSqlDatabase& db, const QString& tokenHash, qint64 now, Session* session,
                              bool* found, QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT a.admin_id, a.name, s.csrf, s.last_seen"
                                        " FROM admin_sessions s JOIN admins a ON a.admin_id = s.admin_id"
                                        " WHERE s.token_hash = ? AND s.last_seen >= ? AND a.enabled = 1"));
    if (!row.exec({tokenHash, now - kIdleMs}, error))
        return false;
    *found = row.next();
    if (!*found)
        return true;
    *session = Session{NxAdminActor{row.value(0).toLongLong(), row.value(1).toString()}, row.value(2).toString()};
    const qint64 lastSeen = row.value(3).toLongLong();
    return lastSeen > now - kTouchEveryMs
        || NxCloudQuery::run(db, QStringLiteral("UPDATE admin_sessions SET last_seen = ? WHERE token_hash = ?"),
                             {now, tokenHash}, error);
}

bool NxAdminSessionTable::remove(const QSqlDatabase& db, const QString& tokenHash, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM admin_sessions WHERE token_hash = ?"), {tokenHash}, error);
}

bool NxAdminSessionTable::removeOthers(const QSqlDatabase& db, qint64 adminId, const QString& keptHash,
                                       QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM admin_sessions WHERE admin_id = ? AND token_hash <> ?"),
                             {adminId, keptHash}, error);
}
