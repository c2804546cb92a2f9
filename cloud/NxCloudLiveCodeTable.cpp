#include "NxCloudLiveCodeTable.h"

#include "NxCloudQuery.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {
const QString kClip = QStringLiteral("clip");
const QString kTitle = QStringLiteral("title");
const QString kEnabled = QStringLiteral("enabled");
const QString kValidFrom = QStringLiteral("validFrom");
const QString kValidUntil = QStringLiteral("validUntil");

QVariant textOrNull(const QJsonValue& value)
{
    return value.isString() ? NxCloudQuery::text(value.toString()) : QVariant(QVariant::String);
}

void insertTime(QJsonObject& entry, const QString& key, const NxCloudQuery& row, int column)
{
    if (!row.isNull(column))
        entry.insert(key, QDateTime::fromMSecsSinceEpoch(row.value(column).toLongLong(), Qt::UTC).toString(Qt::ISODateWithMs));
}
}

bool NxCloudLiveCodeTable::isCode(const QString& code)
{
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{6}$"));
    return pattern.match(code).hasMatch();
}

bool NxCloudLiveCodeTable::write(const QSqlDatabase& db, const QJsonObject& liveCodes, QString* error)
{
    NxCloudQuery insert(db, QStringLiteral("INSERT INTO live_codes (code, address, title, enabled, valid_from,"
                                           " valid_until, extra) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (auto it = liveCodes.begin(); it != liveCodes.end(); ++it) {
        QJsonObject extra = it.value().toObject();
        QVariant from;
        QVariant until;
        if (!isCode(it.key())) {
            *error = QStringLiteral("live code %1 is not six digits").arg(it.key());
            return false;
        }
        if (!timeColumn(extra, kValidFrom, &from, error) || !timeColumn(extra, kValidUntil, &until, error))
            return false;
        const QVariantList values{it.key(), textOrNull(extra.value(kClip)), textOrNull(extra.value(kTitle)),
                                  extra.value(kEnabled).toBool(true) ? 1 : 0, from, until};
        for (const QString& key : {kClip, kTitle, kEnabled, kValidFrom, kValidUntil})
            extra.remove(key);
        if (!insert.exec(values + QVariantList{QString::fromUtf8(QJsonDocument(extra).toJson(QJsonDocument::Compact))},
                         error))
            return false;
    }
    return true;
}

bool NxCloudLiveCodeTable::readAll(const QSqlDatabase& db, QJsonObject* liveCodes, QString* error)
{
    NxCloudQuery rows(db, QStringLiteral("SELECT code, address, title, enabled, valid_from, valid_until, extra"
                                         " FROM live_codes ORDER BY code"));
    if (!rows.exec({}, error))
        return false;
    *liveCodes = QJsonObject();
    while (rows.next()) {
        QJsonObject entry = QJsonDocument::fromJson(rows.value(6).toString().toUtf8()).object();
        entry.insert(kClip, rows.value(1).toString());
        if (!rows.isNull(2))
            entry.insert(kTitle, rows.value(2).toString());
        entry.insert(kEnabled, rows.value(3).toInt() != 0);
        insertTime(entry, kValidFrom, rows, 4);
        insertTime(entry, kValidUntil, rows, 5);
        liveCodes->insert(rows.value(0).toString(), entry);
    }
    return true;
}

bool NxCloudLiveCodeTable::address(const QSqlDatabase& db, const QString& code, qint64 nowMs, QString* address,
                                   QString* error)
{
    bool ok = false;
    *address = NxCloudQuery::scalar(db, QStringLiteral("SELECT address FROM live_codes WHERE code = ? AND enabled = 1"
                                                       " AND (valid_from IS NULL OR valid_from <= ?)"
                                                       " AND (valid_until IS NULL OR valid_until > ?)"),
                                    {code, nowMs, nowMs}, QString(), error, &ok).toString();
    return ok;
}

bool NxCloudLiveCodeTable::timeColumn(const QJsonObject& entry, const QString& key, QVariant* value, QString* error)
{
    *value = QVariant(QVariant::LongLong);
    if (!entry.contains(key) || entry.value(key).isNull())
        return true;
    const QDateTime time = QDateTime::fromString(entry.value(key).toString(), Qt::ISODateWithMs);
    if (!time.isValid()) {
        *error = QStringLiteral("%1 of a live code is not an ISO 8601 time: %2")
                     .arg(key, QString::fromUtf8(QJsonDocument(QJsonObject{{key, entry.value(key)}}).toJson(QJsonDocument::Compact)));
        return false;
    }
    *value = time.toMSecsSinceEpoch();
    return true;
}
