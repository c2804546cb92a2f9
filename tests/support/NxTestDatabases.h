#pragma once

#include <QString>
#include <QStringList>

// The databases the cloud tests run against: SQLite and PostgreSQL, or only
// those NX_TEST_DATABASES names (comma-separated), as the sanitizer run does
// to keep to its time.
class NxTestDatabases
{
public:
    static const QString sqlite;
    static const QString postgresql;

    static QStringList kinds();
    // Column "kind" with one data row per database.
    static void addKindRows();
    // Columns "kind" and column: every value on every database, rows named
    // "<kind> <index of the value>".
    static void addKindRows(const char* column, const QStringList& values);
};
