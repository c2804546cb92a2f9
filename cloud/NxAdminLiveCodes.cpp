#include "NxAdminLiveCodes.h"

#include "NxAdminFields.h"
#include "NxCloudAuditLog.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

namespace {
const NxCloudStore::Areas kLiveCodes = NxCloudStore::Area::LiveCodes;
const int kTitleLength = 200;

QJsonValue timeJson(const QVariant& ms)
{
    if (ms.isNull())
        return QJsonValue::Null;
    return QDateTime::fromMSecsSinceEpoch(ms.toLongLong(), Qt::UTC).toString(Qt::ISODate);
}
}

NxAdminLiveCodes::NxAdminLiveCodes(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxAdminResult NxAdminLiveCodes::list(int offset, int limit) const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        int total = 0;
        QList<NxCloudLiveCodeTable::Row> rows;
        if (!NxCloudLiveCodeTable::page(db, offset, limit, &total, &rows, e))
            return false;
        QJsonArray codes;
        for (const NxCloudLiveCodeTable::Row& row : rows)
            codes.append(toJson(row));
        *result = NxAdminResult::ok({{QStringLiteral("total"), total}, {QStringLiteral("liveCodes"), codes}});
        return true;
    });
}

NxAdminResult NxAdminLiveCodes::get(const QString& code) const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudLiveCodeTable::Row row;
        if (!found(db, code, &row, e, result))
            return false;
        *result = NxAdminResult::ok(toJson(row));
        return true;
    });
}

NxAdminResult NxAdminLiveCodes::create(const QJsonObject& body, const QString& actor) const
{
    NxCloudLiveCodeTable::Row row;
    NxAdminResult refusal;
    NxAdminFields fields(body);
    const QString given = fields.text(QStringLiteral("code"), 6, false);
    if (!fields.ok() || !fields.has(QStringLiteral("address")))
        return fields.ok() ? NxAdminResult::fail(400, QStringLiteral("\"address\" must not be empty")) : fields.failure();
    if (fields.has(QStringLiteral("code")) && !NxCloudLiveCodeTable::isCode(given))
        return NxAdminResult::fail(400, QStringLiteral("\"code\" must be six digits"));
    if (!apply(body, &row, &refusal))
        return refusal;
    return m_store.change(kLiveCodes, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudLiveCodeTable::Row existing;
        bool taken = false;
        row.code = given;
        if (given.isEmpty() && !NxCloudLiveCodeTable::draw(db, &row.code, e))
            return false;
        if (!NxCloudLiveCodeTable::find(db, row.code, &existing, &taken, e))
            return false;
        if (taken || row.code.isEmpty()) {
            *result = NxAdminResult::fail(409, row.code.isEmpty() ? QStringLiteral("every live code is in use")
                                                                  : QStringLiteral("live code %1 is in use").arg(row.code));
            return false;
        }
        *result = NxAdminResult::ok(toJson(row), 201);
        return NxCloudLiveCodeTable::insert(db, row, e)
            && NxCloudAuditLog::append(db, actor, QStringLiteral("liveCode.create"), row.code, row.address, e);
    });
}

NxAdminResult NxAdminLiveCodes::patch(const QString& code, const QJsonObject& body, const QString& actor) const
{
    return m_store.change(kLiveCodes, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudLiveCodeTable::Row row;
        if (!found(db, code, &row, e, result) || !apply(body, &row, result))
            return false;
        *result = NxAdminResult::ok(toJson(row));
        return NxCloudLiveCodeTable::update(db, row, e)
            && NxCloudAuditLog::append(db, actor, QStringLiteral("liveCode.update"), code,
                                       QJsonDocument(body).toJson(QJsonDocument::Compact), e);
    });
}

NxAdminResult NxAdminLiveCodes::remove(const QString& code, const QString& actor) const
{
    return m_store.change(kLiveCodes, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudLiveCodeTable::Row row;
        if (!found(db, code, &row, e, result))
            return false;
        *result = NxAdminResult::noContent();
        return NxCloudLiveCodeTable::remove(db, code, e)
            && NxCloudAuditLog::append(db, actor, QStringLiteral("liveCode.delete"), code, row.address, e);
    });
}

QJsonObject NxAdminLiveCodes::toJson(const NxCloudLiveCodeTable::Row& row)
{
    return QJsonObject{{QStringLiteral("code"), row.code},
                       {QStringLiteral("address"), row.address},
                       {QStringLiteral("title"), row.title},
                       {QStringLiteral("validFrom"), timeJson(row.validFrom)},
                       {QStringLiteral("validUntil"), timeJson(row.validUntil)},
                       {QStringLiteral("enabled"), row.enabled}};
}

bool NxAdminLiveCodes::apply(const QJsonObject& body, NxCloudLiveCodeTable::Row* row, NxAdminResult* refusal)
{
    NxAdminFields fields(body);
    const auto has = [&](const char* key) { return fields.has(QLatin1String(key)); };
    if (has("address"))
        row->address = fields.address(QStringLiteral("address"), NxAdminFields::streamSchemes(), true);
    if (has("title"))
        row->title = fields.text(QStringLiteral("title"), kTitleLength, false);
    if (has("validFrom"))
        row->validFrom = fields.time(QStringLiteral("validFrom"));
    if (has("validUntil"))
        row->validUntil = fields.time(QStringLiteral("validUntil"));
    row->enabled = fields.flag(QStringLiteral("enabled"), row->enabled);
    if (!fields.ok()) {
        *refusal = fields.failure();
        return false;
    }
    if (!row->validFrom.isNull() && !row->validUntil.isNull() && row->validFrom.toLongLong() >= row->validUntil.toLongLong()) {
        *refusal = NxAdminResult::fail(400, QStringLiteral("\"validUntil\" must come after \"validFrom\""));
        return false;
    }
    return true;
}

bool NxAdminLiveCodes::found(const QSqlDatabase& db, const QString& code, NxCloudLiveCodeTable::Row* row,
                             QString* error, NxAdminResult* result)
{
    bool exists = false;
    if (!NxCloudLiveCodeTable::find(db, code, row, &exists, error))
        return false;
    if (!exists)
        *result = NxAdminResult::fail(404, QStringLiteral("no live code %1").arg(code));
    return exists;
}
