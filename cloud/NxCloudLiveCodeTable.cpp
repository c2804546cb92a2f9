#include "NxCloudLiveCodeTable.h"

#include "NxCloudQuery.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

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

const QString kRowColumns = QStringLiteral("code, address, title, valid_from, valid_until, enabled");
const int kCodes = 1000000;

QString codeText(int number)
{
    return QStringLiteral("%1").arg(number, 6, 10, QLatin1Char('0'));
}

NxCloudLiveCodeTable::Row rowFrom(const NxCloudQuery& query)
{
    const auto time = [&](int column) { return query.isNull(column) ? QVariant(QVariant::LongLong) : query.value(column); };
    return NxCloudLiveCodeTable::Row{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                                     time(3), time(4), query.value(5).toInt() != 0};
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

bool NxCloudLiveCodeTable::page(const QSqlDatabase& db, int offset, int limit, int* total, QList<Row>* rows,
                                QString* error)
{
    bool ok = false;
    *total = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM live_codes"), {}, 0, error, &ok).toInt();
    NxCloudQuery query(db, QStringLiteral("SELECT %1 FROM live_codes ORDER BY code LIMIT ? OFFSET ?").arg(kRowColumns));
    if (!ok || !query.exec({limit, offset}, error))
        return false;
    rows->clear();
    while (query.next())
        rows->append(rowFrom(query));
    return true;
}

bool NxCloudLiveCodeTable::find(const QSqlDatabase& db, const QString& code, Row* row, bool* found, QString* error)
{
    NxCloudQuery query(db, QStringLiteral("SELECT %1 FROM live_codes WHERE code = ?").arg(kRowColumns));
    if (!query.exec({code}, error))
        return false;
    *found = query.next();
    if (*found)
        *row = rowFrom(query);
    return true;
}

bool NxCloudLiveCodeTable::insert(const QSqlDatabase& db, const Row& row, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO live_codes (%1) VALUES (?, ?, ?, ?, ?, ?)").arg(kRowColumns),
                             {row.code, NxCloudQuery::text(row.address), NxCloudQuery::text(row.title), row.validFrom,
                              row.validUntil, row.enabled ? 1 : 0},
                             error);
}

bool NxCloudLiveCodeTable::update(const QSqlDatabase& db, const Row& row, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("UPDATE live_codes SET address = ?, title = ?, valid_from = ?,"
                                                " valid_until = ?, enabled = ? WHERE code = ?"),
                             {NxCloudQuery::text(row.address), NxCloudQuery::text(row.title), row.validFrom,
                              row.validUntil, row.enabled ? 1 : 0, row.code},
                             error);
}

bool NxCloudLiveCodeTable::remove(const QSqlDatabase& db, const QString& code, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM live_codes WHERE code = ?"), {code}, error);
}

bool NxCloudLiveCodeTable::draw(const QSqlDatabase& db, QString* code, QString* error)
{
    // A random code is almost always free; when not, the next free one after
    // it, so drawing ends even when few are left.
    const int start = int(QRandomGenerator::system()->bounded(kCodes));
    bool ok = false;
    const bool taken = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM live_codes WHERE code = ?"),
                                            {codeText(start)}, 0, error, &ok).toInt() > 0;
    code->clear();
    if (!ok || !taken) {
        *code = ok ? codeText(start) : QString();
        return ok;
    }
    NxCloudQuery all(db, QStringLiteral("SELECT code FROM live_codes"));
    if (!all.exec({}, error))
        return false;
    QSet<QString> used;
    while (all.next())
        used.insert(all.value(0).toString());
    for (int i = 1; i < kCodes; ++i) {
        const QString candidate = codeText((start + i) % kCodes);
        if (!used.contains(candidate)) {
            *code = candidate;
            break;
        }
    }
    return true;
}
