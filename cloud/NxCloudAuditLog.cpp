#include "NxCloudAuditLog.h"

#include "NxCloudQuery.h"

#include <QDateTime>

bool NxCloudAuditLog::append(const QSqlDatabase& db, const QString& actor, const QString& action,
                             const QString& subject, const QString& detail, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO audit_log (at, actor, action, subject, detail)"
                                                " VALUES (?, ?, ?, ?, ?)"),
                             {QDateTime::currentMSecsSinceEpoch(), NxCloudQuery::text(actor), NxCloudQuery::text(action),
                              NxCloudQuery::text(subject), NxCloudQuery::text(detail)},
                             error);
}

bool NxCloudAuditLog::count(const QSqlDatabase& db, const QString& action, int* entries, QString* error)
{
    bool ok = false;
    *entries = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM audit_log WHERE action = ?"), {action}, 0,
                                    error, &ok).toInt();
    return ok;
}
