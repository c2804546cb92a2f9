#pragma once

#include <QSqlDatabase>
#include <QString>

// Who changed what and when: one row per change, written in the change's own
// transaction so that a change and its record stand or fall together.
class NxCloudAuditLog
{
public:
    static bool append(const QSqlDatabase& db, const QString& actor, const QString& action, const QString& subject,
                       const QString& detail, QString* error);
    static bool count(const QSqlDatabase& db, const QString& action, int* entries, QString* error);
};
