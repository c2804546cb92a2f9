#include "NxAdminTable.h"

#include "NxCloudQuery.h"

#include <QDateTime>

bool NxAdminTable::find(const QSqlDatabase& db, const QString& name, Admin* admin, bool* found, QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT admin_id, name, password_hash, enabled FROM admins WHERE name = ?"));
    if (!row.exec({NxCloudQuery::text(name)}, error))
        return false;
    *found = row.next();
    if (*found)
        *admin = Admin{row.value(0).toLongLong(), row.value(1).toString(), row.value(2).toString(),
                       row.value(3).toInt() != 0};
    return true;
}

bool NxAdminTable::count(const QSqlDatabase& db, int* admins, QString* error)
{
    bool ok = false;
    *admins = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM admins"), {}, 0, error, &ok).toInt();
    return ok;
}

bool NxAdminTable::add(const QSqlDatabase& db, const QString& name, const QString& passwordHash, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO admins (name, password_hash, enabled, created_at)"
                                                " VALUES (?, ?, 1, ?)"),
                             {NxCloudQuery::text(name), passwordHash, QDateTime::currentMSecsSinceEpoch()}, error);
}

bool NxAdminTable::setPassword(const QSqlDatabase& db, qint64 id, const QString& passwordHash, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("UPDATE admins SET password_hash = ? WHERE admin_id = ?"),
                             {passwordHash, id}, error);
}
