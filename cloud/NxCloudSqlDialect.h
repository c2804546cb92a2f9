#pragma once

#include <QString>
#include <QStringList>

// The few places where SQLite and PostgreSQL need different SQL; everything
// else is written once for both.
class NxCloudSqlDialect
{
public:
    explicit NxCloudSqlDialect(bool postgres);

    bool isPostgres() const;
    // Table definitions say {serial} for a generated integer key and {blob}
    // for bytes.
    QString ddl(const QString& statement) const;
    // SQLite takes the write lock at once, so two writers never fail while
    // upgrading a read lock.
    QString beginWrite() const;
    // One consistent view across several statements.
    QString beginRead() const;
    // Settings of a fresh connection; walFile: an SQLite file, not memory.
    QStringList connectionSettings(bool walFile) const;
    // Serialises migrations of several instances starting at once; empty
    // when beginWrite() already does.
    QString schemaLock() const;

private:
    bool m_postgres;
};
