#include "NxCloudExchange.h"

#include "NxCloudCategoryTable.h"
#include "NxCloudChannelTable.h"
#include "NxCloudFileEndpoints.h"
#include "NxCloudLiveCodeTable.h"
#include "NxCloudOwnChannelTable.h"
#include "NxCloudPictureTable.h"
#include "NxCloudQuery.h"
#include "NxCloudTeacherTable.h"
#include "NxPasswordHash.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QSet>

namespace {
const QString kCategories = QStringLiteral("categories");
const QString kOffered = QStringLiteral("offered");
const QString kUsers = QStringLiteral("users");
const QString kSignIn = QStringLiteral("signIn");
const QString kLiveCodes = QStringLiteral("liveCodes");
const QString kTeachers = QStringLiteral("teachers");
const QString kPictures = QStringLiteral("pictures");
const QString kUserId = QStringLiteral("userId");
const QString kName = QStringLiteral("name");
const QString kAvatar = QStringLiteral("avatar");
const QString kPassword = QStringLiteral("password");
const QString kPasswordHash = QStringLiteral("passwordHash");

// Children first: what refers to a row goes before the row.
const QStringList kClearOrder = {QStringLiteral("channels"), QStringLiteral("categories"),
                                 QStringLiteral("sign_in_codes"), QStringLiteral("teachers"),
                                 QStringLiteral("live_codes"), QStringLiteral("pictures")};
const QStringList kCatalogueTables = {QStringLiteral("channels"), QStringLiteral("categories"),
                                      QStringLiteral("teachers"), QStringLiteral("live_codes"),
                                      QStringLiteral("pictures")};

void collectPictureNames(const QJsonArray& channels, QSet<QString>& names)
{
    for (const QJsonValue& value : channels) {
        const QJsonObject channel = value.toObject();
        for (const QJsonValue& image : channel.value(QStringLiteral("images")).toArray())
            names.insert(NxCloudPictureTable::nameOf(image.toObject().value(QStringLiteral("url")).toString()));
        collectPictureNames(channel.value(QStringLiteral("children")).toArray(), names);
    }
}

// A seed may give a teacher's password in clear ("password"); the database
// only ever holds its hash.
QJsonObject withPasswordHashed(QJsonObject account)
{
    if (account.value(kPassword).isString())
        account.insert(kPasswordHash, NxPasswordHash::hashOnce(account.value(kPassword).toString()));
    account.remove(kPassword);
    return account;
}

QJsonObject signInWithDefaults(const QJsonObject& signIn)
{
    QJsonObject account{{kUserId, signIn.value(kUserId).toString(QStringLiteral("demo-teacher"))},
                        {kName, signIn.value(kName).toString(QStringLiteral("王老师"))},
                        {kAvatar, signIn.value(kAvatar).toString(QStringLiteral("pictures/avatar-demo-teacher.png"))}};
    if (signIn.contains(kPassword))
        account.insert(kPassword, signIn.value(kPassword));
    return withPasswordHashed(account);
}

QJsonObject teachersHashed(const QJsonObject& teachers)
{
    QJsonObject out;
    for (auto it = teachers.begin(); it != teachers.end(); ++it)
        out.insert(it.key(), withPasswordHashed(it.value().toObject()));
    return out;
}
}

bool NxCloudExchange::exportAll(const QSqlDatabase& db, QJsonObject* document, QString* error)
{
    QMap<QString, QJsonObject> categories;
    QJsonArray offered;
    QMap<QString, QJsonArray> users;
    QJsonObject liveCodes;
    NxCloudPictureTable::Pictures pictures;
    if (!NxCloudCategoryTable::read(db, &categories, error)
        || !NxCloudChannelTable::readOffered(db, categories, &offered, error)
        || !NxCloudOwnChannelTable::readAll(db, &users, error) || !NxCloudLiveCodeTable::readAll(db, &liveCodes, error)
        || !NxCloudPictureTable::readAll(db, &pictures, error) || !exportTeachers(db, document, error))
        return false;
    QJsonObject categoryObject;
    for (auto it = categories.begin(); it != categories.end(); ++it)
        categoryObject.insert(it.key(), it.value());
    QJsonObject userObject;
    for (auto it = users.begin(); it != users.end(); ++it)
        userObject.insert(it.key(), it.value());
    document->insert(kCategories, categoryObject);
    document->insert(kOffered, offered);
    document->insert(kUsers, userObject);
    document->insert(kLiveCodes, liveCodes);
    document->insert(kPictures, NxCloudPictureTable::toJson(pictures));
    return true;
}

bool NxCloudExchange::exportTeachers(const QSqlDatabase& db, QJsonObject* document, QString* error)
{
    QList<NxCloudTeacherTable::Teacher> teachers;
    QString signInId;
    if (!NxCloudTeacherTable::readAll(db, &teachers, error) || !NxCloudTeacherTable::signInTeacher(db, &signInId, error))
        return false;
    QJsonObject accounts;
    for (const NxCloudTeacherTable::Teacher& teacher : teachers) {
        accounts.insert(teacher.id, teacher.toJson());
        if (teacher.id == signInId)
            document->insert(kSignIn, QJsonObject{{kUserId, teacher.id}, {kName, teacher.name}, {kAvatar, teacher.avatar}});
    }
    document->insert(kTeachers, accounts);
    return true;
}

bool NxCloudExchange::importAll(const QSqlDatabase& db, const QJsonObject& document, QString* error)
{
    return checkShape(document, error) && clear(db, error) && importTeachers(db, document, error)
        && importChannels(db, document, error)
        && NxCloudLiveCodeTable::write(db, document.value(kLiveCodes).toObject(), error)
        && NxCloudPictureTable::writeAll(db, document.value(kPictures).toObject(), error)
        && NxCloudOwnChannelTable::raiseNumbering(db, error);
}

bool NxCloudExchange::checkShape(const QJsonObject& document, QString* error)
{
    const QStringList objects{kCategories, kUsers, kSignIn, kLiveCodes, kTeachers, kPictures};
    for (const QString& key : objects) {
        if (document.contains(key) && !document.value(key).isObject()) {
            *error = QStringLiteral("\"%1\" is not a JSON object").arg(key);
            return false;
        }
    }
    if (document.contains(kOffered) && !document.value(kOffered).isArray()) {
        *error = QStringLiteral("\"%1\" is not a JSON array").arg(kOffered);
        return false;
    }
    return true;
}

bool NxCloudExchange::clear(const QSqlDatabase& db, QString* error)
{
    for (const QString& table : kClearOrder) {
        if (!NxCloudQuery::run(db, QStringLiteral("DELETE FROM ") + table, {}, error))
            return false;
    }
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM settings WHERE name = 'sign_in_teacher'"), {}, error);
}

bool NxCloudExchange::importTeachers(const QSqlDatabase& db, const QJsonObject& document, QString* error)
{
    // The sign-in entry names an account; "teachers" then sets all of it.
    if (document.contains(kSignIn)) {
        const QJsonObject signIn = document.value(kSignIn).toObject();
        const QString id = signIn.value(kUserId).toString();
        if (!NxCloudTeacherTable::upsert(db, NxCloudTeacherTable::Teacher::fromJson(id, signIn), error)
            || !NxCloudTeacherTable::setSignInTeacher(db, id, error))
            return false;
    }
    const QJsonObject teachers = document.value(kTeachers).toObject();
    for (auto it = teachers.begin(); it != teachers.end(); ++it) {
        if (!NxCloudTeacherTable::upsert(db, NxCloudTeacherTable::Teacher::fromJson(it.key(), it.value().toObject()), error))
            return false;
    }
    const QJsonObject users = document.value(kUsers).toObject();
    for (auto it = users.begin(); it != users.end(); ++it) {
        if (!NxCloudTeacherTable::ensure(db, it.key(), error))
            return false;
    }
    return true;
}

bool NxCloudExchange::importChannels(const QSqlDatabase& db, const QJsonObject& document, QString* error)
{
    NxCloudChannelTable table(db);
    if (!NxCloudCategoryTable::write(db, document.value(kCategories).toObject(), table, error))
        return false;
    if (!table.insertOffered(document.value(kOffered).toArray(), document.value(kCategories).toObject(), error))
        return false;
    const QJsonObject users = document.value(kUsers).toObject();
    for (auto it = users.begin(); it != users.end(); ++it) {
        const QJsonArray channels = it.value().toArray();
        for (int i = 0; i < channels.size(); ++i) {
            if (!table.insert(NxCloudChannelTable::own(it.key()), channels.at(i).toObject(), i, error))
                return false;
        }
    }
    return true;
}

bool NxCloudExchange::isEmpty(const QSqlDatabase& db, bool* empty, QString* error)
{
    bool ok = false;
    QStringList counts;
    for (const QString& table : kCatalogueTables)
        counts.append(QStringLiteral("(SELECT COUNT(*) FROM %1)").arg(table));
    *empty = NxCloudQuery::scalar(db, QStringLiteral("SELECT ") + counts.join(QStringLiteral(" + ")), {}, 0, error, &ok)
                 .toLongLong() == 0;
    return ok;
}

QJsonObject NxCloudExchange::fromSeed(const QJsonObject& seed, const QString& pictureDir)
{
    QJsonObject document = seed;
    document.insert(kSignIn, signInWithDefaults(seed.value(kSignIn).toObject()));
    if (seed.contains(kTeachers))
        document.insert(kTeachers, teachersHashed(seed.value(kTeachers).toObject()));
    document.insert(kPictures, picturesFrom(document, pictureDir));
    return document;
}

QJsonObject NxCloudExchange::picturesFrom(const QJsonObject& seed, const QString& pictureDir)
{
    QJsonObject pictures = seed.value(kPictures).toObject();
    if (pictureDir.isEmpty())
        return pictures;
    QSet<QString> names{NxCloudPictureTable::nameOf(seed.value(kSignIn).toObject().value(kAvatar).toString())};
    const QJsonObject categories = seed.value(kCategories).toObject();
    for (const QJsonValue& entry : categories)
        collectPictureNames(QJsonArray{entry.toObject().value(QStringLiteral("data"))}, names);
    collectPictureNames(seed.value(kOffered).toArray(), names);
    for (const QJsonValue& list : seed.value(kUsers).toObject())
        collectPictureNames(list.toArray(), names);
    NxCloudPictureTable::Pictures found;
    for (const QString& name : names) {
        QFile file(QDir(pictureDir).filePath(name));
        if (!name.isEmpty() && !pictures.contains(name) && file.open(QIODevice::ReadOnly))
            found.insert(name, NxCloudPictureTable::Picture{NxCloudFileEndpoints::contentType(name), file.readAll()});
    }
    const QJsonObject read = NxCloudPictureTable::toJson(found);
    for (auto it = read.begin(); it != read.end(); ++it)
        pictures.insert(it.key(), it.value());
    return pictures;
}
