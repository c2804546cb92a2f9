#pragma once

#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Many rows into one table in one statement instead of one round trip per
// row, which is what makes a playlist of 100,000 lines quick: the rows are
// one bound JSON text read by json_each on SQLite, and one bound array per
// column, unnested, on PostgreSQL.
class NxCloudBatchInsert
{
public:
    enum class Type
    {
        Integer,
        Text
    };
    struct Column
    {
        QString name;
        Type type;
    };

    // columns: the values of each row, in order; fixed: columns with the same
    // SQL literal in every row, e.g. {"list", "'category'"}.
    NxCloudBatchInsert(const QString& table, const QList<Column>& columns,
                       const QList<QPair<QString, QString>>& fixed = {});

    bool run(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const;

private:
    bool runJson(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const;
    bool runArrays(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error) const;
    QString head() const;
    QStringList fixedValues() const;
    // A JSON array of the rows, each an array of its values.
    QByteArray jsonOf(const QList<QVariantList>& rows) const;
    // A PostgreSQL array literal of one column's values.
    static QString arrayOf(const QList<QVariantList>& rows, int column, Type type);

    QString m_table;
    QList<Column> m_columns;
    QList<QPair<QString, QString>> m_fixed;
};
