#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QMap>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The channels teachers make on their panels, by teacher, in the order they
// were added; "getChannelListByUserId" answers with them.
class NxCloudOwnChannelTable
{
public:
    static bool list(const QSqlDatabase& db, const QString& teacherId, QJsonArray* channels, QString* error);
    // Every teacher's list, empty ones too: the seed's "users".
    static bool readAll(const QSqlDatabase& db, QMap<QString, QJsonArray>* lists, QString* error);
    static bool replace(const QSqlDatabase& db, const QString& teacherId, const QJsonArray& channels, QString* error);
    // Appends a copy under a new number and channelId ("own-<number>").
    static bool add(const QSqlDatabase& db, const QString& teacherId, const QJsonObject& channel,
                    QJsonObject* stored, QString* error);
    static bool remove(const QSqlDatabase& db, const QString& teacherId, const QStringList& channelIds,
                       int* removed, QString* error);
    // New numbers stay above those of channels that came in by import.
    static bool raiseNumbering(const QSqlDatabase& db, QString* error);

private:
    static bool nextNumber(const QSqlDatabase& db, qint64* number, QString* error);
    static QJsonArray withNumericOrder(const QJsonArray& images);
};
