#include "NxCloudQuery.h"

#include <QSqlError>

NxCloudQuery::NxCloudQuery(const QSqlDatabase& db, const QString& sql)
    : m_query(db)
    , m_sql(sql)
{
    m_query.setForwardOnly(true);
}

bool NxCloudQuery::exec(const QVariantList& values, QString* error)
{
    // PostgreSQL prepares only queries and changes of rows, not BEGIN or
    // table definitions: a statement without values runs as it is.
    if (values.isEmpty())
        return m_query.exec(m_sql) || fail(error);
    if (!m_prepared && !m_query.prepare(m_sql))
        return fail(error);
    m_prepared = true;
    for (int i = 0; i < values.size(); ++i)
        m_query.bindValue(i, values.at(i));
    return m_query.exec() || fail(error);
}

bool NxCloudQuery::next()
{
    return m_query.next();
}

QVariant NxCloudQuery::value(int column) const
{
    return m_query.value(column);
}

bool NxCloudQuery::isNull(int column) const
{
    return m_query.isNull(column);
}

QVariant NxCloudQuery::text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

int NxCloudQuery::rowsAffected() const
{
    return m_query.numRowsAffected();
}

bool NxCloudQuery::run(const QSqlDatabase& db, const QString& sql, const QVariantList& values, QString* error)
{
    NxCloudQuery query(db, sql);
    return query.exec(values, error);
}

QVariant NxCloudQuery::scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                              const QVariant& fallback, QString* error, bool* ok)
{
    NxCloudQuery query(db, sql);
    *ok = query.exec(values, error);
    return *ok && query.next() ? query.value(0) : fallback;
}

QString NxCloudQuery::placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}

bool NxCloudQuery::fail(QString* error) const
{
    if (error)
        *error = m_query.lastError().text().trimmed() + QStringLiteral(" (in: ") + m_sql.simplified() + QLatin1Char(')');
    return false;
}
