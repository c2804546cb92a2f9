#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

class NxCloudDatabase;

// The tables of the service, built by numbered steps. At start every step the
// database has not had yet runs, in the one transaction that also records the
// new version; a database made by a newer program is refused untouched.
class NxCloudSchema
{
public:
    static int latestVersion();
    static bool migrate(NxCloudDatabase& database, QString* error);
    // 0 for a database the service never touched; -1 on error.
    static int version(const QSqlDatabase& db, QString* error);

private:
    static QStringList step(int version);
    static bool migrateHere(NxCloudDatabase& database, QSqlDatabase& db, QString* error);
};
