#pragma once

#include <QSqlDatabase>
#include <QString>

// The accounts that may use /admin; teachers are never among them.
class NxAdminTable
{
public:
    struct Admin
    {
        qint64 id = 0;
        QString name;
        QString passwordHash;
        bool enabled = false;
    };

    static bool find(const QSqlDatabase& db, const QString& name, Admin* admin, bool* found, QString* error);
    static bool count(const QSqlDatabase& db, int* admins, QString* error);
    static bool setPassword(const QSqlDatabase& db, qint64 id, const QString& passwordHash, QString* error);
    static bool add(const QSqlDatabase& db, const QString& name, const QString& passwordHash, QString* error);
};
