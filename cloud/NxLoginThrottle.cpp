#include "NxLoginThrottle.h"

#include "NxCloudQuery.h"

#include <algorithm>

NxLoginThrottle::Key NxLoginThrottle::admin(const QString& name, const QString& address)
{
    return Key{QStringLiteral("admin:") + name, QStringLiteral("address:") + address};
}

NxLoginThrottle::Key NxLoginThrottle::teacher(const QString& id, const QString& address)
{
    return Key{QStringLiteral("teacher:") + id, QStringLiteral("address:") + address};
}

bool NxLoginThrottle::retryAfter(const QSqlDatabase& db, const Key& key, qint64 now, int* seconds, QString* error)
{
    int account = 0;
    int address = 0;
    if (!retryAfter(db, key.account, kAccountLimit, now, &account, error)
        || !retryAfter(db, key.address, kAddressLimit, now, &address, error))
        return false;
    *seconds = std::max(account, address);
    return true;
}

bool NxLoginThrottle::retryAfter(const QSqlDatabase& db, const QString& subject, int limit, qint64 now, int* seconds,
                                 QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT COUNT(*), MAX(at) FROM sign_in_failures WHERE subject = ? AND at > ?"));
    if (!row.exec({NxCloudQuery::text(subject), now - kWindowMs}, error))
        return false;
    const bool any = row.next();
    const int failures = any ? row.value(0).toInt() : 0;
    const qint64 last = any ? row.value(1).toLongLong() : 0;
    const qint64 until = last + 1000LL * waitSeconds(failures, limit);
    // Rounded up, so a client that waits exactly that long is let in.
    *seconds = until > now ? static_cast<int>((until - now + 999) / 1000) : 0;
    return true;
}

bool NxLoginThrottle::fail(const QSqlDatabase& db, const Key& key, qint64 now, QString* error)
{
    NxCloudQuery insert(db, QStringLiteral("INSERT INTO sign_in_failures (subject, at) VALUES (?, ?)"));
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM sign_in_failures WHERE at <= ?"), {now - kWindowMs}, error)
        && insert.exec({NxCloudQuery::text(key.account), now}, error)
        && insert.exec({NxCloudQuery::text(key.address), now}, error);
}

bool NxLoginThrottle::succeed(const QSqlDatabase& db, const Key& key, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM sign_in_failures WHERE subject = ?"),
                             {NxCloudQuery::text(key.account)}, error);
}

int NxLoginThrottle::waitSeconds(int failures, int limit)
{
    if (failures < limit)
        return 0;
    const int doublings = std::min(failures - limit, 10);
    return std::min(kFirstWaitSeconds << doublings, kLongestWaitSeconds);
}
