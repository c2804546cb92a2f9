#include "NxCloudBatchInsert.h"

#include "NxCloudQuery.h"

#include <algorithm>
#include <memory>

namespace {
// Well below SQLite's 32,766 bound values per statement.
const int kValuesPerStatement = 8000;
}

bool NxCloudBatchInsert::run(const QSqlDatabase& db, const QString& table, const QStringList& columns,
                             const QList<QVariantList>& rows, QString* error)
{
    const int perStatement = std::max(1, kValuesPerStatement / std::max(1, int(columns.size())));
    std::unique_ptr<NxCloudQuery> full;
    for (int from = 0; from < rows.size(); from += perStatement) {
        const int count = std::min(perStatement, int(rows.size()) - from);
        QVariantList values;
        values.reserve(count * columns.size());
        for (int i = from; i < from + count; ++i)
            values += rows.at(i);
        // Full batches share one prepared statement; the last one is its own.
        if (count == perStatement && !full)
            full = std::make_unique<NxCloudQuery>(db, statement(table, columns, count));
        const bool done = count == perStatement ? full->exec(values, error)
                                                : NxCloudQuery::run(db, statement(table, columns, count), values, error);
        if (!done)
            return false;
    }
    return true;
}

QString NxCloudBatchInsert::statement(const QString& table, const QStringList& columns, int rows)
{
    const QString row = QLatin1Char('(') + NxCloudQuery::placeholders(columns.size()) + QLatin1Char(')');
    QStringList all;
    all.reserve(rows);
    for (int i = 0; i < rows; ++i)
        all.append(row);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES %3").arg(table, columns.join(QStringLiteral(", ")),
                                                             all.join(QStringLiteral(", ")));
}
