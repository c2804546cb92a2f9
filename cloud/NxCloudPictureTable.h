#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Pictures the panels fetch as /pictures/<name>: channel pictures and
// avatars, as bytes in the database, so every instance of the service on one
// PostgreSQL serves the same and a backup of the database holds them all.
// Exchange layout: "pictures": { "<name>": { "contentType", "data": base64 } }.
class NxCloudPictureTable
{
public:
    struct Picture
    {
        QByteArray contentType;
        QByteArray data;
    };
    using Pictures = QHash<QString, Picture>;

    static bool write(const QSqlDatabase& db, const QString& name, const Picture& picture, QString* error);
    static bool writeAll(const QSqlDatabase& db, const QJsonObject& pictures, QString* error);
    // Drops the pictures of these references that no channel or teacher
    // refers to any more.
    static bool removeUnused(const QSqlDatabase& db, const QStringList& references, QString* error);
    static bool readAll(const QSqlDatabase& db, Pictures* pictures, QString* error);
    static QJsonObject toJson(const Pictures& pictures);
    // The picture name of a reference such as "pictures/a.png" or
    // "{base}/pictures/a.png"; empty for anything else.
    static QString nameOf(const QString& reference);
};
