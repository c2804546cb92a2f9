#pragma once

#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>

// A school's whole catalogue as one JSON document: the demo seed's layout
// ("categories", "offered", "users", "signIn", "liveCodes") plus what a seed
// lacks ("teachers", "pictures", live code validity). --export of one
// database and --import into another moves everything but the admin
// accounts, the audit log and pending sign-in codes.
class NxCloudExchange
{
public:
    static bool exportAll(const QSqlDatabase& db, QJsonObject* document, QString* error);
    // Replaces the catalogue with the document's; the caller's transaction
    // makes it all or nothing.
    static bool importAll(const QSqlDatabase& db, const QJsonObject& document, QString* error);
    // Nothing of a catalogue yet: no categories, channels, teachers, live
    // codes or pictures.
    static bool isEmpty(const QSqlDatabase& db, bool* empty, QString* error);
    // A seed as a document to import: the sign-in teacher's defaults where
    // the seed names none, and the pictures it refers to from pictureDir.
    static QJsonObject fromSeed(const QJsonObject& seed, const QString& pictureDir);

private:
    static bool checkShape(const QJsonObject& document, QString* error);
    static bool clear(const QSqlDatabase& db, QString* error);
    static bool importTeachers(const QSqlDatabase& db, const QJsonObject& document, QString* error);
    static bool importChannels(const QSqlDatabase& db, const QJsonObject& document, QString* error);
    static bool exportTeachers(const QSqlDatabase& db, QJsonObject* document, QString* error);
    static QJsonObject picturesFrom(const QJsonObject& seed, const QString& pictureDir);
};
