#pragma once

#include <QJsonObject>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Teachers' accounts: name, avatar (a picture reference), enabled, and a
// password hash column that the sign-in page will fill. The setting
// "sign_in_teacher" names the account a confirmed QR code signs in to while
// the sign-in page asks for no name.
class NxCloudTeacherTable
{
public:
    struct Teacher
    {
        QString id;
        QString name;
        QString avatar;
        QString passwordHash;  // empty: none set
        bool enabled = true;

        // {"name", "avatar", "enabled", "passwordHash" when set}
        QJsonObject toJson() const;
        static Teacher fromJson(const QString& id, const QJsonObject& json);
    };

    // A teacher as the admin API lists them.
    struct Listed
    {
        Teacher teacher;
        int ownChannels = 0;
    };

    static bool upsert(const QSqlDatabase& db, const Teacher& teacher, QString* error);
    // An account holding only its id, for an own list a panel starts.
    static bool ensure(const QSqlDatabase& db, const QString& id, QString* error);
    static bool find(const QSqlDatabase& db, const QString& id, Teacher* teacher, bool* found, QString* error);
    static bool readAll(const QSqlDatabase& db, QList<Teacher>* teachers, QString* error);
    static bool ids(const QSqlDatabase& db, QStringList* ids, QString* error);
    // Teachers in id order from offset on, at most limit; total counts all.
    static bool page(const QSqlDatabase& db, int offset, int limit, QList<Listed>* teachers, int* total,
                     QString* error);
    static bool countOwnChannels(const QSqlDatabase& db, const QString& id, int* channels, QString* error);
    // Every teacher shown under this display name.
    static bool findByName(const QSqlDatabase& db, const QString& name, QList<Teacher>* teachers, QString* error);
    // Own channels and sign-in codes go with the account.
    static bool remove(const QSqlDatabase& db, const QString& id, bool* removed, QString* error);

    static bool signInTeacher(const QSqlDatabase& db, QString* id, QString* error);
    static bool setSignInTeacher(const QSqlDatabase& db, const QString& id, QString* error);
};
