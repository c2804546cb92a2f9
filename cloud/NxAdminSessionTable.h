#pragma once

#include "NxAdminActor.h"

#include <QSqlDatabase>
#include <QString>

// Signed-in admins, shared by every instance on the database. A row holds
// the SHA-256 of the cookie's token, the session's CSRF token and when it was
// last used; a session unused for kIdleMs is over.
class NxAdminSessionTable
{
public:
    static constexpr qint64 kIdleMs = 8LL * 60 * 60 * 1000;

    struct Session
    {
        NxAdminActor actor;
        QString csrf;
    };

    // Also forgets every session that is over.
    static bool create(const QSqlDatabase& db, qint64 adminId, const QString& tokenHash, const QString& csrf,
                       qint64 now, QString* error);
    // A live session of an enabled admin, marked as used now.
    static bool use(const QSqlDatabase& db, const QString& tokenHash, qint64 now, Session* session, bool* found,
                    QString* error);
    static bool remove(const QSqlDatabase& db, const QString& tokenHash, QString* error);
    static bool removeAll(const QSqlDatabase& db, const QString& adminName, QString* error);
    // Every session of the admin but the one of keptHash.
    static bool removeOthers(const QSqlDatabase& db, qint64 adminId, const QString& keptHash, QString* error);
};
