#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Many rows into one table with a few multi-row INSERT statements instead of
// one round trip per row, which is what makes a playlist of 100,000 lines
// quick on PostgreSQL.
class NxCloudBatchInsert
{
public:
    static bool run(const QSqlDatabase& db, const QString& table, const QStringList& columns,
                    const QList<QVariantList>& rows, QString* error);

private:
    static QString statement(const QString& table, const QStringList& columns, int rows);
};
