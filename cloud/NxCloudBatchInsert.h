#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

// Many rows into one table with a few multi-row INSERT statements instead of
// one round trip per row, which is what makes a playlist of 100,000 lines
// quick on PostgreSQL.
class NxCloudBatchInsert
{
public:
    // columns: "a, b, c"; row: the VALUES entry of one row, e.g.
    // "(?, ?, 'fixed')", with as many "?" as each of rows has values.
    static bool run(const QSqlDatabase& db, const QString& table, const QString& columns, const QString& row,
                    const QList<QVariantList>& rows, QString* error);

private:
    static QString statement(const QString& table, const QString& columns, const QString& row, int rows);
};
