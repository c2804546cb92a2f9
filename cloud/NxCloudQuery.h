#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantList>

class QSqlDatabase;

// One statement with bound values, prepared once and run as often as needed.
// Errors name the statement, so a failed migration or import says where it
// stopped.
class NxCloudQuery
{
public:
    NxCloudQuery(const QSqlDatabase& db, const QString& sql);

    bool exec(const QVariantList& values, QString* error);
    bool next();
    QVariant value(int column) const;
    // NULL in the database (an empty text is not).
    bool isNull(int column) const;
    int rowsAffected() const;

    // A statement run once, e.g. a table definition or a pragma.
    static bool run(const QSqlDatabase& db, const QString& sql, const QVariantList& values, QString* error);
    // The first column of the first row; fallback when there is no row.
    static QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& values,
                           const QVariant& fallback, QString* error, bool* ok);
    // Text to bind: Qt SQL binds a null QString as NULL, and an empty text
    // must stay an empty text.
    static QVariant text(const QString& value);
    // "?, ?, ?": placeholders for an IN list of count values.
    static QString placeholders(int count);

private:
    bool fail(QString* error) const;

    QSqlQuery m_query;
    QString m_sql;
    bool m_prepared = false;
};
