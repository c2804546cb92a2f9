#include "NxCloudBatchInsert.h"

#include "NxCloudQuery.h"

#include <QStringList>

namespace {
QByteArray jsonText(const QString& text)
{
    QByteArray out = "\"";
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\')
            out += '\\';
        if (uchar(c) < 0x20)
            out += "\\u00" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
        else
            out += c;
    }
    return out + '"';
}

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
    return db.driverName() == QLatin1String("QPSQL") ? runArrays(db, rows, error) : runJson(db, rows, error);
}

bool NxCloudBatchInsert::runJson(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const
{
    QStringList selected;
    for (int i = 0; i < m_columns.size(); ++i)
        selected.append(QStringLiteral("json_extract(value, '$[%1]')").arg(i));
    return NxCloudQuery::run(db, head() + QStringLiteral(" SELECT %1 FROM json_each(?)")
                                              .arg((selected + fixedValues()).join(QStringLiteral(", "))),
                             {QString::fromUtf8(jsonOf(rows))}, error);
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
    return NxCloudQuery::run(db, head() + QStringLiteral(" SELECT %1 FROM unnest(%2)")
                                              .arg((QStringList{QStringLiteral("*")} + fixedValues()).join(QStringLiteral(", ")),
                                                   arrays.join(QStringLiteral(", "))),
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

QStringList NxCloudBatchInsert::fixedValues() const
{
    QStringList values;
    for (const auto& fixed : m_fixed)
        values.append(fixed.second);
    return values;
}

QByteArray NxCloudBatchInsert::jsonOf(const QList<QVariantList>& rows) const
{
    QByteArray json;
    json.reserve(rows.size() * m_columns.size() * 16);
    json += '[';
    for (int r = 0; r < rows.size(); ++r) {
        json += r == 0 ? "[" : ",[";
        for (int i = 0; i < m_columns.size(); ++i) {
            if (i > 0)
                json += ',';
            const QVariant value = rows.at(r).at(i);
            if (value.isNull())
                json += "null";
            else if (m_columns.at(i).type == Type::Integer)
                json += QByteArray::number(value.toLongLong());
            else
                json += jsonText(value.toString());
        }
        json += ']';
    }
    return json + ']';
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
