#pragma once

#include <QJsonArray>
#include <QSqlDatabase>
#include <QString>

// Who changed what and when: one row per change, written in the change's own
// transaction so that a change and its record stand or fall together.
class NxCloudAuditLog
{
public:
    static bool append(const QSqlDatabase& db, const QString& actor, const QString& action, const QString& subject,
                       const QString& detail, QString* error);
    // Entries newest first, {"at", "actor", "action", "subject", "detail"}
    // with "at" as ISO 8601 UTC; total counts all.
    static bool page(const QSqlDatabase& db, int offset, int limit, QJsonArray* entries, int* total, QString* error);
    static bool count(const QSqlDatabase& db, const QString& action, int* entries, QString* error);
};
