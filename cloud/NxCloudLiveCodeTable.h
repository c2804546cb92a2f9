#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>

// Live codes: six digits a teacher types on the panel and the stream they
// open. Seed layout: "liveCodes": { "<code>": { "clip": "media/<file>" or an
// address, "title", and optionally "enabled", "validFrom", "validUntil"
// (ISO 8601 times; absent: no limit) } }.
class NxCloudLiveCodeTable
{
public:
    static bool write(const QSqlDatabase& db, const QJsonObject& liveCodes, QString* error);
    static bool readAll(const QSqlDatabase& db, QJsonObject* liveCodes, QString* error);
    // The stream of a code that is enabled and valid at nowMs; empty otherwise.
    static bool address(const QSqlDatabase& db, const QString& code, qint64 nowMs, QString* address, QString* error);
    static bool isCode(const QString& code);

private:
    static bool timeColumn(const QJsonObject& entry, const QString& key, QVariant* value, QString* error);
};
