#pragma once

#include <QSqlDatabase>
#include <QString>

// Numbers for new channels ("id") of every list and for their pictures. One
// counter serves the catalogue and the teachers' own channels, kept at or
// above every number in use, so a number is never handed out twice; its row
// lock also orders writers of several instances on one PostgreSQL.
class NxCloudNumbering
{
public:
    // count numbers from *first on, none of them in use.
    static bool channelNumbers(const QSqlDatabase& db, int count, qint64* first, QString* error);
    // Numbers from *first on are free for pictures.
    static bool imageNumbers(const QSqlDatabase& db, qint64* first, QString* error);

private:
    static bool lock(const QSqlDatabase& db, QString* error);
};
