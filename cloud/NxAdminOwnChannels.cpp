#include "NxAdminOwnChannels.h"

#include "NxCloudAuditLog.h"
#include "NxCloudLinkResolver.h"
#include "NxCloudOwnChannelTable.h"
#include "NxCloudTeacherTable.h"

#include <QJsonArray>

NxAdminOwnChannels::NxAdminOwnChannels(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxAdminResult NxAdminOwnChannels::list(const QString& teacherId, const NxCloudLinkResolver& links) const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        QJsonArray channels;
        if (!teacherExists(db, teacherId, e, result) || !NxCloudOwnChannelTable::list(db, teacherId, &channels, e))
            return false;
        QJsonArray out;
        for (const QJsonValue& channel : channels)
            out.append(toJson(channel.toObject(), links));
        *result = NxAdminResult::ok({{QStringLiteral("total"), out.size()}, {QStringLiteral("channels"), out}});
        return true;
    });
}

NxAdminResult NxAdminOwnChannels::remove(const QString& teacherId, const QString& channelId, const QString& actor) const
{
    return m_store.change(NxCloudStore::Area::OwnChannels, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        int removed = 0;
        if (!teacherExists(db, teacherId, e, result)
            || !NxCloudOwnChannelTable::remove(db, teacherId, {channelId}, &removed, e))
            return false;
        if (removed == 0) {
            *result = NxAdminResult::fail(404, QStringLiteral("teacher %1 has no channel %2").arg(teacherId, channelId));
            return false;
        }
        *result = NxAdminResult::noContent();
        return NxCloudAuditLog::append(db, actor, QStringLiteral("ownChannel.delete"), teacherId, channelId, e);
    });
}

QJsonObject NxAdminOwnChannels::toJson(const QJsonObject& channel, const NxCloudLinkResolver& links)
{
    QJsonObject pictures;
    for (const QJsonValue& value : channel.value(QStringLiteral("images")).toArray()) {
        const QJsonObject image = value.toObject();
        const QString type = image.value(QStringLiteral("type")).toString();
        if (!type.isEmpty() && !pictures.contains(type))
            pictures.insert(type, links.pictureUrl(image.value(QStringLiteral("url")).toString()));
    }
    return QJsonObject{{QStringLiteral("id"), channel.value(QStringLiteral("id"))},
                       {QStringLiteral("channelId"), channel.value(QStringLiteral("channelId"))},
                       {QStringLiteral("name"), channel.value(QStringLiteral("channelName"))},
                       {QStringLiteral("introduction"), channel.value(QStringLiteral("introduction"))},
                       {QStringLiteral("address"), channel.value(QStringLiteral("address"))},
                       {QStringLiteral("pictures"), pictures}};
}

bool NxAdminOwnChannels::teacherExists(const QSqlDatabase& db, const QString& id, QString* error, NxAdminResult* result)
{
    NxCloudTeacherTable::Teacher teacher;
    bool exists = false;
    if (!NxCloudTeacherTable::find(db, id, &teacher, &exists, error))
        return false;
    if (!exists)
        *result = NxAdminResult::fail(404, QStringLiteral("no teacher %1").arg(id));
    return exists;
}
