#include "NxCloudAuditLog.h"

#include "NxCloudQuery.h"

#include <QDateTime>
#include <QJsonObject>

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

bool NxCloudAuditLog::page(const QSqlDatabase& db, int offset, int limit, QJsonArray* entries, int* total,
                           QString* error)
{
    bool ok = false;
    *total = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM audit_log"), {}, 0, error, &ok).toInt();
    NxCloudQuery rows(db, QStringLiteral("SELECT at, actor, action, subject, detail FROM audit_log"
                                         " ORDER BY entry_id DESC LIMIT ? OFFSET ?"));
    if (!ok || !rows.exec({limit, offset}, error))
        return false;
    *entries = QJsonArray();
    while (rows.next()) {
        const QDateTime at = QDateTime::fromMSecsSinceEpoch(rows.value(0).toLongLong(), Qt::UTC);
        entries->append(QJsonObject{{QStringLiteral("at"), at.toString(Qt::ISODate)},
                                    {QStringLiteral("actor"), rows.value(1).toString()},
                                    {QStringLiteral("action"), rows.value(2).toString()},
                                    {QStringLiteral("subject"), rows.value(3).toString()},
                                    {QStringLiteral("detail"), rows.value(4).toString()}});
    }
    return true;
}
