#include "NxCloudOwnChannelTable.h"

#include "NxCloudChannelTable.h"
#include "NxCloudQuery.h"
#include "NxCloudTeacherTable.h"

namespace {
const QString kCounter = QStringLiteral("own_channel_number");
const QString kOwnChannelImages = QStringLiteral("images");
}

bool NxCloudOwnChannelTable::list(const QSqlDatabase& db, const QString& teacherId, QJsonArray* channels,
                                  QString* error)
{
    *channels = QJsonArray();
    QMap<QString, QJsonArray> trees;
    if (teacherId.isEmpty())
        return true;
    if (!NxCloudChannelTable::read(db, NxCloudChannelTable::List::Own, teacherId, &trees, error))
        return false;
    *channels = trees.value(teacherId);
    return true;
}

bool NxCloudOwnChannelTable::readAll(const QSqlDatabase& db, QMap<QString, QJsonArray>* lists, QString* error)
{
    QStringList teachers;
    if (!NxCloudTeacherTable::ids(db, &teachers, error)
        || !NxCloudChannelTable::read(db, NxCloudChannelTable::List::Own, QString(), lists, error))
        return false;
    for (const QString& teacher : teachers) {
        if (!lists->contains(teacher))
            lists->insert(teacher, QJsonArray());
    }
    return true;
}

bool NxCloudOwnChannelTable::replace(const QSqlDatabase& db, const QString& teacherId, const QJsonArray& channels,
                                     QString* error)
{
    if (!NxCloudTeacherTable::ensure(db, teacherId, error)
        || !NxCloudQuery::run(db, QStringLiteral("DELETE FROM channels WHERE list = 'own' AND teacher_id = ?"),
                              {teacherId}, error))
        return false;
    NxCloudChannelTable table(db);
    for (int i = 0; i < channels.size(); ++i) {
        if (!table.insert(NxCloudChannelTable::own(teacherId), channels.at(i).toObject(), i, error))
            return false;
    }
    return true;
}

bool NxCloudOwnChannelTable::add(const QSqlDatabase& db, const QString& teacherId, const QJsonObject& channel,
                                 QJsonObject* stored, QString* error)
{
    qint64 number = 0;
    bool ok = false;
    if (!NxCloudTeacherTable::ensure(db, teacherId, error) || !nextNumber(db, &number, error))
        return false;
    const int position = NxCloudQuery::scalar(db, QStringLiteral("SELECT COALESCE(MAX(position) + 1, 0) FROM channels"
                                                                 " WHERE list = 'own' AND teacher_id = ?"
                                                                 " AND parent_row IS NULL"),
                                              {teacherId}, 0, error, &ok).toInt();
    if (!ok)
        return false;
    *stored = channel;
    stored->insert(QStringLiteral("id"), number);
    stored->insert(QStringLiteral("channelId"), QStringLiteral("own-%1").arg(number));
    stored->insert(kOwnChannelImages, withNumericOrder(channel.value(kOwnChannelImages).toArray()));
    return NxCloudChannelTable(db).insert(NxCloudChannelTable::own(teacherId), *stored, position, error);
}

bool NxCloudOwnChannelTable::remove(const QSqlDatabase& db, const QString& teacherId, const QStringList& channelIds,
                                    int* removed, QString* error)
{
    *removed = 0;
    if (channelIds.isEmpty())
        return true;
    NxCloudQuery query(db, QStringLiteral("DELETE FROM channels WHERE list = 'own' AND teacher_id = ?"
                                          " AND parent_row IS NULL AND channel_id IN (%1)")
                               .arg(NxCloudQuery::placeholders(channelIds.size())));
    QVariantList values{teacherId};
    for (const QString& id : channelIds)
        values.append(id);
    if (!query.exec(values, error))
        return false;
    *removed = query.rowsAffected();
    return true;
}

bool NxCloudOwnChannelTable::raiseNumbering(const QSqlDatabase& db, QString* error)
{
    bool ok = false;
    // Above every channel's, since the catalogue's new channels share the counter.
    const qint64 highest = NxCloudQuery::scalar(db, QStringLiteral("SELECT COALESCE(MAX(number), 0) FROM channels"), {}, 0,
                                                error, &ok).toLongLong();
    return ok && NxCloudQuery::run(db, QStringLiteral("UPDATE counters SET value = ? WHERE name = ? AND value < ?"),
                                   {highest, kCounter, highest}, error);
}

bool NxCloudOwnChannelTable::nextNumber(const QSqlDatabase& db, qint64* number, QString* error)
{
    // The update locks the counter until commit, so instances sharing one
    // database never hand out a number twice.
    bool ok = false;
    if (!NxCloudQuery::run(db, QStringLiteral("UPDATE counters SET value = value + 1 WHERE name = ?"), {kCounter}, error))
        return false;
    *number = NxCloudQuery::scalar(db, QStringLiteral("SELECT value FROM counters WHERE name = ?"), {kCounter}, 0,
                                   error, &ok).toLongLong();
    return ok;
}

QJsonArray NxCloudOwnChannelTable::withNumericOrder(const QJsonArray& images)
{
    // Panels send "order" as a string but read it back as a number.
    QJsonArray out;
    for (const QJsonValue& value : images) {
        QJsonObject image = value.toObject();
        const QJsonValue order = image.value(QStringLiteral("order"));
        if (order.isString())
            image.insert(QStringLiteral("order"), order.toString().toInt());
        out.append(image);
    }
    return out;
}
