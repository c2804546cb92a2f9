#pragma once

#include <QString>

class NxCloudStore;

// The account a new database starts with: "admin", with a password the
// service draws (and prints once) or reads from a file.
class NxFirstAdmin
{
public:
    static QString name();
    // Adds "admin" with password when the database has no admin at all;
    // created says whether it did.
    static bool ensure(NxCloudStore& store, const QString& password, bool* created, QString* error);
    // The file's first line; refused when it is no acceptable password.
    static bool readPassword(const QString& path, QString* password, QString* error);
};
