#include "NxCloudSchema.h"

#include "NxCloudDatabase.h"
#include "NxCloudQuery.h"

namespace {
// Times are milliseconds since 1970 UTC; flags are 0 or 1; "extra" holds the
// keys of a JSON object that have no column of their own, as JSON text.
const QStringList kStep1 = {
    QStringLiteral("CREATE TABLE settings (name TEXT PRIMARY KEY, value TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE counters (name TEXT PRIMARY KEY, value BIGINT NOT NULL)"),
    QStringLiteral("INSERT INTO counters (name, value) VALUES ('catalogue_generation', 0), ('own_channel_number', 900000)"),
    QStringLiteral("CREATE TABLE teachers ("
                   " teacher_id TEXT PRIMARY KEY, name TEXT NOT NULL, avatar TEXT NOT NULL DEFAULT '',"
                   " password_hash TEXT, enabled INTEGER NOT NULL DEFAULT 1, created_at BIGINT NOT NULL)"),
    QStringLiteral("CREATE TABLE categories ("
                   " category_id TEXT PRIMARY KEY, banner_count INTEGER,"
                   " position INTEGER NOT NULL, extra TEXT NOT NULL DEFAULT '{}')"),
    // Every channel tree: a category's, a group offered for adding, or a
    // teacher's own channel; "list" and the owner are repeated on children.
    // A group offered that is a category's tree as it is names the category.
    QStringLiteral("CREATE TABLE channels ("
                   " row_id {serial},"
                   " list TEXT NOT NULL CHECK (list IN ('category', 'offered', 'own')),"
                   " parent_row BIGINT REFERENCES channels (row_id) ON DELETE CASCADE,"
                   " category_id TEXT REFERENCES categories (category_id) ON DELETE CASCADE,"
                   " teacher_id TEXT REFERENCES teachers (teacher_id) ON DELETE CASCADE,"
                   " mirror_of TEXT REFERENCES categories (category_id) ON DELETE CASCADE,"
                   " position INTEGER NOT NULL,"
                   " number BIGINT, channel_id TEXT, name TEXT, introduction TEXT, address TEXT,"
                   " has_child TEXT, play_mode TEXT, channel_type TEXT,"
                   " extra TEXT NOT NULL DEFAULT '{}',"
                   " CHECK ((list = 'own') = (teacher_id IS NOT NULL)),"
                   " CHECK (mirror_of IS NULL OR list = 'offered'))"),
    QStringLiteral("CREATE INDEX channels_by_list ON channels (list, teacher_id, parent_row, position)"),
    QStringLiteral("CREATE INDEX channels_by_category ON channels (category_id)"),
    QStringLiteral("CREATE INDEX channels_by_parent ON channels (parent_row)"),
    QStringLiteral("CREATE TABLE channel_images ("
                   " channel_row BIGINT NOT NULL REFERENCES channels (row_id) ON DELETE CASCADE,"
                   " position INTEGER NOT NULL,"
                   " number BIGINT, sort_order BIGINT, kind TEXT, url TEXT,"
                   " extra TEXT NOT NULL DEFAULT '{}',"
                   " PRIMARY KEY (channel_row, position))"),
    QStringLiteral("CREATE TABLE pictures ("
                   " name TEXT PRIMARY KEY, content_type TEXT NOT NULL, data {blob} NOT NULL,"
                   " updated_at BIGINT NOT NULL)"),
    QStringLiteral("CREATE TABLE live_codes ("
                   " code TEXT PRIMARY KEY CHECK (length(code) = 6), address TEXT NOT NULL, title TEXT,"
                   " valid_from BIGINT, valid_until BIGINT, enabled INTEGER NOT NULL DEFAULT 1,"
                   " extra TEXT NOT NULL DEFAULT '{}')"),
    QStringLiteral("CREATE TABLE sign_in_codes ("
                   " seq {serial}, code TEXT NOT NULL UNIQUE, polls INTEGER NOT NULL DEFAULT 0,"
                   " token TEXT UNIQUE, teacher_id TEXT REFERENCES teachers (teacher_id) ON DELETE CASCADE,"
                   " created_at BIGINT NOT NULL)"),
    QStringLiteral("CREATE TABLE admins ("
                   " admin_id {serial}, name TEXT NOT NULL UNIQUE, password_hash TEXT NOT NULL,"
                   " enabled INTEGER NOT NULL DEFAULT 1, created_at BIGINT NOT NULL)"),
    QStringLiteral("CREATE TABLE audit_log ("
                   " entry_id {serial}, at BIGINT NOT NULL, actor TEXT NOT NULL, action TEXT NOT NULL,"
                   " subject TEXT NOT NULL DEFAULT '', detail TEXT NOT NULL DEFAULT '')"),
    QStringLiteral("CREATE INDEX audit_log_by_time ON audit_log (at)"),
};

// Admin sessions keep the SHA-256 of their token, never the token; failed
// sign-ins are kept per account and per address so every instance throttles.
const QStringList kStep2 = {
    QStringLiteral("CREATE TABLE admin_sessions ("
                   " token_hash TEXT PRIMARY KEY,"
                   " admin_id BIGINT NOT NULL REFERENCES admins (admin_id) ON DELETE CASCADE,"
                   " csrf TEXT NOT NULL, created_at BIGINT NOT NULL, last_seen BIGINT NOT NULL)"),
    QStringLiteral("CREATE INDEX admin_sessions_by_use ON admin_sessions (last_seen)"),
    QStringLiteral("CREATE TABLE sign_in_failures ("
                   " failure_id {serial}, subject TEXT NOT NULL, at BIGINT NOT NULL)"),
    QStringLiteral("CREATE INDEX sign_in_failures_by_subject ON sign_in_failures (subject, at)"),
};

const QList<QStringList> kSteps = {kStep1, kStep2};
}

int NxCloudSchema::latestVersion()
{
    return kSteps.size();
}

QStringList NxCloudSchema::step(int version)
{
    return kSteps.value(version - 1);
}

bool NxCloudSchema::migrate(NxCloudDatabase& database, QString* error)
{
    return database.write([&](QSqlDatabase& db, QString* e) { return migrateHere(database, db, e); }, error);
}

int NxCloudSchema::version(const QSqlDatabase& db, QString* error)
{
    if (!db.tables().contains(QStringLiteral("nx_schema")))
        return 0;
    bool ok = false;
    const int version = NxCloudQuery::scalar(db, QStringLiteral("SELECT version FROM nx_schema"), {}, 0, error, &ok).toInt();
    return ok ? version : -1;
}

bool NxCloudSchema::migrateHere(NxCloudDatabase& database, QSqlDatabase& db, QString* error)
{
    const NxCloudSqlDialect& dialect = database.dialect();
    if (!dialect.schemaLock().isEmpty() && !NxCloudQuery::run(db, dialect.schemaLock(), {}, error))
        return false;
    const int current = version(db, error);
    if (current < 0)
        return false;
    if (current > latestVersion()) {
        *error = QStringLiteral("%1 has schema version %2, newer than the %3 this program knows; "
                                "run a newer NxCloudService or restore a backup")
                     .arg(database.address().describe()).arg(current).arg(latestVersion());
        return false;
    }
    if (current == 0
        && !(NxCloudQuery::run(db, QStringLiteral("CREATE TABLE nx_schema (version INTEGER NOT NULL)"), {}, error)
             && NxCloudQuery::run(db, QStringLiteral("INSERT INTO nx_schema (version) VALUES (0)"), {}, error)))
        return false;
    for (int next = current + 1; next <= latestVersion(); ++next) {
        for (const QString& statement : step(next)) {
            if (!NxCloudQuery::run(db, dialect.ddl(statement), {}, error))
                return false;
        }
    }
    return NxCloudQuery::run(db, QStringLiteral("UPDATE nx_schema SET version = ?"), {latestVersion()}, error);
}
