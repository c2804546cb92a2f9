#include "NxCloudNumbering.h"

#include "NxCloudQuery.h"

#include <algorithm>

namespace {
const QString kCounter = QStringLiteral("own_channel_number");
}

bool NxCloudNumbering::lock(const QSqlDatabase& db, QString* error)
{
    // Held until commit: under READ COMMITTED the reads after it see what an
    // instance that held it before committed.
    return NxCloudQuery::run(db, QStringLiteral("UPDATE counters SET value = value WHERE name = ?"), {kCounter}, error);
}

bool NxCloudNumbering::channelNumbers(const QSqlDatabase& db, int count, qint64* first, QString* error)
{
    bool ok = false;
    if (!lock(db, error))
        return false;
    const qint64 counter = NxCloudQuery::scalar(db, QStringLiteral("SELECT value FROM counters WHERE name = ?"),
                                                {kCounter}, 0, error, &ok).toLongLong();
    if (!ok)
        return false;
    const qint64 highest = NxCloudQuery::scalar(db, QStringLiteral("SELECT COALESCE(MAX(number), 0) FROM channels"), {},
                                                0, error, &ok).toLongLong();
    if (!ok)
        return false;
    *first = std::max(counter, highest) + 1;
    return NxCloudQuery::run(db, QStringLiteral("UPDATE counters SET value = ? WHERE name = ?"),
                             {*first + count - 1, kCounter}, error);
}

bool NxCloudNumbering::imageNumbers(const QSqlDatabase& db, qint64* first, QString* error)
{
    bool ok = false;
    if (!lock(db, error))
        return false;
    *first = NxCloudQuery::scalar(db, QStringLiteral("SELECT COALESCE(MAX(number), 0) + 1 FROM channel_images"), {}, 1,
                                  error, &ok).toLongLong();
    return ok;
}
