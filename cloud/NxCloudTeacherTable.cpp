#include "NxCloudTeacherTable.h"

#include "NxCloudQuery.h"

#include <QDateTime>

namespace {
const QString kColumns = QStringLiteral("teacher_id, name, avatar, password_hash, enabled");
const QString kSignInTeacher = QStringLiteral("sign_in_teacher");
// The top-level own channels of the teacher named by %1.
const QString kOwnChannelCount = QStringLiteral("SELECT COUNT(*) FROM channels c WHERE c.teacher_id = %1"
                                                " AND c.list = 'own' AND c.parent_row IS NULL");

NxCloudTeacherTable::Teacher teacherFrom(const NxCloudQuery& row)
{
    return NxCloudTeacherTable::Teacher{row.value(0).toString(), row.value(1).toString(), row.value(2).toString(),
                                        row.value(3).toString(), row.value(4).toInt() != 0};
}
}

QJsonObject NxCloudTeacherTable::Teacher::toJson() const
{
    QJsonObject json{{QStringLiteral("name"), name}, {QStringLiteral("avatar"), avatar},
                     {QStringLiteral("enabled"), enabled}};
    if (!passwordHash.isEmpty())
        json.insert(QStringLiteral("passwordHash"), passwordHash);
    return json;
}

NxCloudTeacherTable::Teacher NxCloudTeacherTable::Teacher::fromJson(const QString& id, const QJsonObject& json)
{
    return Teacher{id, json.value(QStringLiteral("name")).toString(id), json.value(QStringLiteral("avatar")).toString(),
                   json.value(QStringLiteral("passwordHash")).toString(), json.value(QStringLiteral("enabled")).toBool(true)};
}

bool NxCloudTeacherTable::upsert(const QSqlDatabase& db, const Teacher& teacher, QString* error)
{
    const QVariant hash = teacher.passwordHash.isEmpty() ? QVariant(QVariant::String) : QVariant(teacher.passwordHash);
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO teachers (%1, created_at) VALUES (?, ?, ?, ?, ?, ?)"
                                                " ON CONFLICT (teacher_id) DO UPDATE SET name = excluded.name,"
                                                " avatar = excluded.avatar, password_hash = excluded.password_hash,"
                                                " enabled = excluded.enabled").arg(kColumns),
                             {teacher.id, NxCloudQuery::text(teacher.name), NxCloudQuery::text(teacher.avatar), hash,
                              teacher.enabled ? 1 : 0,
                              QDateTime::currentMSecsSinceEpoch()},
                             error);
}

bool NxCloudTeacherTable::ensure(const QSqlDatabase& db, const QString& id, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO teachers (teacher_id, name, created_at) VALUES (?, ?, ?)"
                                                " ON CONFLICT (teacher_id) DO NOTHING"),
                             {id, id, QDateTime::currentMSecsSinceEpoch()}, error);
}

bool NxCloudTeacherTable::find(const QSqlDatabase& db, const QString& id, Teacher* teacher, bool* found, QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT %1 FROM teachers WHERE teacher_id = ?").arg(kColumns));
    if (!row.exec({id}, error))
        return false;
    *found = row.next();
    if (*found)
        *teacher = teacherFrom(row);
    return true;
}

bool NxCloudTeacherTable::readAll(const QSqlDatabase& db, QList<Teacher>* teachers, QString* error)
{
    NxCloudQuery rows(db, QStringLiteral("SELECT %1 FROM teachers ORDER BY teacher_id").arg(kColumns));
    if (!rows.exec({}, error))
        return false;
    teachers->clear();
    while (rows.next())
        teachers->append(teacherFrom(rows));
    return true;
}

bool NxCloudTeacherTable::ids(const QSqlDatabase& db, QStringList* ids, QString* error)
{
    NxCloudQuery rows(db, QStringLiteral("SELECT teacher_id FROM teachers ORDER BY teacher_id"));
    if (!rows.exec({}, error))
        return false;
    ids->clear();
    while (rows.next())
        ids->append(rows.value(0).toString());
    return true;
}

bool NxCloudTeacherTable::signInTeacher(const QSqlDatabase& db, QString* id, QString* error)
{
    bool ok = false;
    *id = NxCloudQuery::scalar(db, QStringLiteral("SELECT value FROM settings WHERE name = ?"), {kSignInTeacher},
                               QString(), error, &ok).toString();
    return ok;
}

bool NxCloudTeacherTable::setSignInTeacher(const QSqlDatabase& db, const QString& id, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("INSERT INTO settings (name, value) VALUES (?, ?)"
                                                " ON CONFLICT (name) DO UPDATE SET value = excluded.value"),
                             {kSignInTeacher, NxCloudQuery::text(id)}, error);
}

bool NxCloudTeacherTable::page(const QSqlDatabase& db, int offset, int limit, QList<Listed>* teachers, int* total,
                               QString* error)
{
    bool ok = false;
    *total = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM teachers"), {}, 0, error, &ok).toInt();
    NxCloudQuery rows(db, QStringLiteral("SELECT %1, (%2) FROM teachers t ORDER BY teacher_id LIMIT ? OFFSET ?")
                              .arg(kColumns, kOwnChannelCount.arg(QStringLiteral("t.teacher_id"))));
    if (!ok || !rows.exec({limit, offset}, error))
        return false;
    teachers->clear();
    while (rows.next())
        teachers->append(Listed{teacherFrom(rows), rows.value(5).toInt()});
    return true;
}

bool NxCloudTeacherTable::findByName(const QSqlDatabase& db, const QString& name, QList<Teacher>* teachers,
                                     QString* error)
{
    NxCloudQuery rows(db, QStringLiteral("SELECT %1 FROM teachers WHERE name = ? ORDER BY teacher_id").arg(kColumns));
    if (!rows.exec({NxCloudQuery::text(name)}, error))
        return false;
    teachers->clear();
    while (rows.next())
        teachers->append(teacherFrom(rows));
    return true;
}

bool NxCloudTeacherTable::remove(const QSqlDatabase& db, const QString& id, bool* removed, QString* error)
{
    NxCloudQuery remove(db, QStringLiteral("DELETE FROM teachers WHERE teacher_id = ?"));
    if (!remove.exec({NxCloudQuery::text(id)}, error))
        return false;
    *removed = remove.rowsAffected() > 0;
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM settings WHERE name = ? AND value = ?"),
                             {kSignInTeacher, NxCloudQuery::text(id)}, error);
}

bool NxCloudTeacherTable::countOwnChannels(const QSqlDatabase& db, const QString& id, int* channels, QString* error)
{
    bool ok = false;
    *channels = NxCloudQuery::scalar(db, kOwnChannelCount.arg(QStringLiteral("?")), {NxCloudQuery::text(id)}, 0, error,
                                     &ok).toInt();
    return ok;
}
