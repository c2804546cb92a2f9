#pragma once

#include <QJsonObject>
#include <QList>
#include <QVariant>
#include <QSqlDatabase>
#include <QString>

// Live codes: six digits a teacher types on the panel and the stream they
// open. Seed layout: "liveCodes": { "<code>": { "clip": "media/<file>" or an
// address, "title", and optionally "enabled", "validFrom", "validUntil"
// (ISO 8601 times; absent: no limit) } }.
class NxCloudLiveCodeTable
{
public:
    // One code as the admin API sees it; times are milliseconds since 1970
    // UTC or a null QVariant for no limit.
    struct Row
    {
        QString code;
        QString address;
        QString title;
        QVariant validFrom;
        QVariant validUntil;
        bool enabled = true;
    };

    static bool write(const QSqlDatabase& db, const QJsonObject& liveCodes, QString* error);
    static bool readAll(const QSqlDatabase& db, QJsonObject* liveCodes, QString* error);
    // The stream of a code that is enabled and valid at nowMs; empty otherwise.
    static bool address(const QSqlDatabase& db, const QString& code, qint64 nowMs, QString* address, QString* error);
    static bool isCode(const QString& code);

    static bool page(const QSqlDatabase& db, int offset, int limit, int* total, QList<Row>* rows, QString* error);
    static bool find(const QSqlDatabase& db, const QString& code, Row* row, bool* found, QString* error);
    static bool insert(const QSqlDatabase& db, const Row& row, QString* error);
    static bool update(const QSqlDatabase& db, const Row& row, QString* error);
    static bool remove(const QSqlDatabase& db, const QString& code, QString* error);
    // Six digits no code holds; empty when every code is taken.
    static bool draw(const QSqlDatabase& db, QString* code, QString* error);

private:
    static bool timeColumn(const QJsonObject& entry, const QString& key, QVariant* value, QString* error);
};
