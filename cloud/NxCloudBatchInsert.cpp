#include "NxCloudBatchInsert.h"

#include "NxCloudQuery.h"

#include <QStringList>
#include <algorithm>
#include <memory>

namespace {
// Well below SQLite's 32,766 bound values per statement.
const int kValuesPerStatement = 8000;

QString quoted(const QString& text)
{
    QString out = text;
    out.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    out.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + out + QLatin1Char('"');
}
}

NxCloudBatchInsert::NxCloudBatchInsert(const QString& table, const QList<Column>& columns,
                                       const QList<QPair<QString, QString>>& fixed)
    : m_table(table)
    , m_columns(columns)
    , m_fixed(fixed)
{
}

bool NxCloudBatchInsert::run(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const
{
    if (rows.isEmpty())
        return true;
    return db.driverName() == QLatin1String("QPSQL") ? runArrays(db, rows, error) : runValues(db, rows, error);
}

bool NxCloudBatchInsert::runValues(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const
{
    const int perStatement = std::max(1, kValuesPerStatement / std::max(1, int(m_columns.size())));
    std::unique_ptr<NxCloudQuery> full;
    for (int from = 0; from < rows.size(); from += perStatement) {
        const int count = std::min(perStatement, int(rows.size()) - from);
        QVariantList values;
        values.reserve(count * m_columns.size());
        for (int i = from; i < from + count; ++i)
            values += rows.at(i);
        // Full batches share one prepared statement; the last one is its own.
        if (count == perStatement && !full)
            full = std::make_unique<NxCloudQuery>(db, valuesStatement(count));
        const bool done = count == perStatement ? full->exec(values, error)
                                                : NxCloudQuery::run(db, valuesStatement(count), values, error);
        if (!done)
            return false;
    }
    return true;
}

bool NxCloudBatchInsert::runArrays(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const
{
    QStringList arrays;
    QVariantList values;
    for (int i = 0; i < m_columns.size(); ++i) {
        arrays.append(m_columns.at(i).type == Type::Integer ? QStringLiteral("CAST(? AS BIGINT[])")
                                                            : QStringLiteral("CAST(? AS TEXT[])"));
        values.append(arrayOf(rows, i, m_columns.at(i).type));
    }
    QStringList selected{QStringLiteral("*")};
    for (const auto& fixed : m_fixed)
        selected.append(fixed.second);
    return NxCloudQuery::run(db, head() + QStringLiteral(" SELECT %1 FROM unnest(%2)")
                                              .arg(selected.join(QStringLiteral(", ")), arrays.join(QStringLiteral(", "))),
                             values, error);
}

QString NxCloudBatchInsert::head() const
{
    QStringList names;
    for (const Column& column : m_columns)
        names.append(column.name);
    for (const auto& fixed : m_fixed)
        names.append(fixed.first);
    return QStringLiteral("INSERT INTO %1 (%2)").arg(m_table, names.join(QStringLiteral(", ")));
}

QString NxCloudBatchInsert::valuesStatement(int rows) const
{
    QStringList row;
    for (int i = 0; i < m_columns.size(); ++i)
        row.append(QStringLiteral("?"));
    for (const auto& fixed : m_fixed)
        row.append(fixed.second);
    const QString one = QLatin1Char('(') + row.join(QStringLiteral(", ")) + QLatin1Char(')');
    QStringList all;
    all.reserve(rows);
    for (int i = 0; i < rows; ++i)
        all.append(one);
    return head() + QStringLiteral(" VALUES ") + all.join(QStringLiteral(", "));
}

QString NxCloudBatchInsert::arrayOf(const QList<QVariantList>& rows, int column, Type type)
{
    QStringList items;
    items.reserve(rows.size());
    for (const QVariantList& row : rows) {
        const QVariant value = row.at(column);
        if (value.isNull())
            items.append(QStringLiteral("NULL"));
        else
            items.append(type == Type::Integer ? QString::number(value.toLongLong()) : quoted(value.toString()));
    }
    return QLatin1Char('{') + items.join(QLatin1Char(',')) + QLatin1Char('}');
}
