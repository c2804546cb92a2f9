#include "NxAdminChannels.h"

#include "NxAdminFields.h"
#include "NxCloudAuditLog.h"
#include "NxCloudLinkResolver.h"
#include "NxCloudPictureTable.h"
#include "NxCloudQuery.h"
#include "NxPictureUpload.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <limits>

namespace {
const NxCloudStore::Areas kCatalogue = NxCloudStore::Area::Catalogue;
const QString kStations = QStringLiteral("tvstation");
const int kIdLength = 200;
const int kNameLength = 200;
const int kIntroductionLength = 4000;
const int kMostBanner = 1000;
const int kAtTheEnd = std::numeric_limits<int>::max();

QString subject(qint64 id)
{
    return QStringLiteral("channel %1").arg(id);
}
}

NxAdminChannels::NxAdminChannels(QSharedPointer<NxCloudStore> store)
    : m_store(std::move(store))
{
}

NxAdminResult NxAdminChannels::categories() const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudQuery rows(db, QStringLiteral("SELECT k.category_id, k.banner_count, r.name,"
                                             " (SELECT COUNT(*) FROM channels c WHERE c.parent_row = r.row_id)"
                                             " FROM categories k LEFT JOIN channels r ON r.list = 'category'"
                                             " AND r.category_id = k.category_id AND r.parent_row IS NULL"
                                             " ORDER BY k.position, k.category_id"));
        if (!rows.exec({}, e))
            return false;
        QJsonArray list;
        while (rows.next()) {
            list.append(QJsonObject{{QStringLiteral("id"), rows.value(0).toString()},
                                    {QStringLiteral("bannerCount"), rows.value(1).toInt()},
                                    {QStringLiteral("name"), rows.value(2).toString()},
                                    {QStringLiteral("channels"), rows.value(3).toInt()}});
        }
        *result = NxAdminResult::ok({{QStringLiteral("categories"), list}});
        return true;
    });
}

NxAdminResult NxAdminChannels::patchCategory(const QString& id, const QJsonObject& body, const QString& actor) const
{
    NxAdminFields fields(body);
    const int banner = fields.integer(QStringLiteral("bannerCount"), 0, kMostBanner, -1);
    if (!fields.ok())
        return fields.failure();
    NxAdminResult done = m_store.change(kCatalogue, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        if (!categoryExists(db, id, e, result))
            return false;
        if (banner >= 0
            && !(NxCloudQuery::run(db, QStringLiteral("UPDATE categories SET banner_count = ? WHERE category_id = ?"),
                                   {banner, id}, e)
                 && NxCloudAuditLog::append(db, actor, QStringLiteral("category.update"), id,
                                            QStringLiteral("bannerCount %1").arg(banner), e)))
            return false;
        return true;
    });
    if (!done.isOk())
        return done;
    const NxAdminResult all = categories();
    for (const QJsonValue& category : all.body.value(QStringLiteral("categories")).toArray()) {
        if (category.toObject().value(QStringLiteral("id")).toString() == id)
            return NxAdminResult::ok(category.toObject());
    }
    return all;
}

NxAdminResult NxAdminChannels::list(const QString& category, const QString& search, int offset, int limit,
                                    const NxCloudLinkResolver& links) const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudCategoryChannels::Page page;
        if (!categoryExists(db, category, e, result)
            || !NxCloudCategoryChannels::page(db, category, search, offset, limit, &page, e))
            return false;
        QJsonArray channels;
        for (const NxCloudCategoryChannels::Channel& channel : page.channels)
            channels.append(toJson(channel, links));
        *result = NxAdminResult::ok({{QStringLiteral("total"), page.total}, {QStringLiteral("channels"), channels}});
        return true;
    });
}

NxAdminResult NxAdminChannels::get(qint64 id, const NxCloudLinkResolver& links) const
{
    return m_store.read([&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudCategoryChannels::Channel channel;
        if (!found(db, id, &channel, e, result))
            return false;
        *result = NxAdminResult::ok(toJson(channel, links));
        return true;
    });
}

NxAdminResult NxAdminChannels::create(const QJsonObject& body, const QString& actor,
                                      const NxCloudLinkResolver& links) const
{
    NxAdminFields fields(body);
    const QString category = fields.text(QStringLiteral("category"), kIdLength, true);
    const QString name = fields.text(QStringLiteral("name"), kNameLength, true);
    const QString address = fields.address(QStringLiteral("address"), NxAdminFields::webSchemes(), true);
    const QString introduction = fields.text(QStringLiteral("introduction"), kIntroductionLength, false);
    const int position = fields.integer(QStringLiteral("position"), 0, kAtTheEnd, kAtTheEnd);
    if (!fields.ok())
        return fields.failure();
    qint64 id = 0;
    const NxAdminResult done = m_store.change(kCatalogue, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        qint64 root = 0;
        QList<NxCloudCategoryChannels::NewChannel> channels{{name, introduction, address, {}, 0}};
        if (!categoryExists(db, category, e, result) || !NxCloudCategoryChannels::root(db, category, &root, e)
            || !NxCloudCategoryChannels::insert(db, root, position, &channels, e))
            return false;
        id = channels.first().id;
        return NxCloudAuditLog::append(db, actor, QStringLiteral("channel.create"), subject(id), name, e);
    });
    if (!done.isOk())
        return done;
    NxAdminResult created = get(id, links);
    created.status = created.isOk() ? 201 : created.status;
    return created;
}

NxAdminResult NxAdminChannels::patch(qint64 id, const QJsonObject& body, const QString& actor,
                                     const NxCloudLinkResolver& links) const
{
    NxAdminFields fields(body);
    const bool hasName = fields.has(QStringLiteral("name"));
    const bool hasIntroduction = fields.has(QStringLiteral("introduction"));
    const bool hasAddress = fields.has(QStringLiteral("address"));
    const QString name = fields.text(QStringLiteral("name"), kNameLength, hasName);
    const QString introduction = fields.text(QStringLiteral("introduction"), kIntroductionLength, false);
    const QString address = fields.address(QStringLiteral("address"), NxAdminFields::webSchemes(), hasAddress);
    const int position = fields.integer(QStringLiteral("position"), 0, kAtTheEnd, -1);
    if (!fields.ok())
        return fields.failure();
    const NxAdminResult done = m_store.change(kCatalogue, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudCategoryChannels::Channel channel;
        if (!found(db, id, &channel, e, result))
            return false;
        channel.name = hasName ? name : channel.name;
        channel.introduction = hasIntroduction ? introduction : channel.introduction;
        channel.address = hasAddress ? address : channel.address;
        const QString detail = QJsonDocument(body).toJson(QJsonDocument::Compact);
        return NxCloudCategoryChannels::update(db, channel, e)
            && (position < 0 || NxCloudCategoryChannels::move(db, channel, position, e))
            && NxCloudAuditLog::append(db, actor, QStringLiteral("channel.update"), subject(id), detail, e);
    });
    return done.isOk() ? get(id, links) : done;
}

NxAdminResult NxAdminChannels::remove(qint64 id, const QString& actor) const
{
    return m_store.change(kCatalogue | NxCloudStore::Area::Pictures,
                          [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudCategoryChannels::Channel channel;
        if (!found(db, id, &channel, e, result) || !NxCloudCategoryChannels::remove(db, channel, e)
            || !NxCloudPictureTable::removeUnused(db, channel.pictures.values(), e))
            return false;
        *result = NxAdminResult::noContent();
        return NxCloudAuditLog::append(db, actor, QStringLiteral("channel.delete"), subject(id), channel.name, e);
    });
}

NxAdminResult NxAdminChannels::setPictures(qint64 id, const NxPictureUpload& pictures, const QString& actor,
                                           const NxCloudLinkResolver& links) const
{
    const NxAdminResult done = m_store.change(kCatalogue | NxCloudStore::Area::Pictures,
                                              [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        NxCloudCategoryChannels::Channel channel;
        if (!found(db, id, &channel, e, result))
            return false;
        QList<QPair<QString, QString>> references;
        for (const NxPictureUpload::Encoded& picture : pictures.pictures()) {
            const QString name = pictures.fileName(id, picture);
            if (!NxCloudPictureTable::write(db, name, {picture.contentType, picture.data}, e))
                return false;
            references.append({picture.type, QStringLiteral("pictures/") + name});
        }
        return NxCloudCategoryChannels::replacePictures(db, channel.row, references, e)
            && NxCloudPictureTable::removeUnused(db, channel.pictures.values(), e)
            && NxCloudAuditLog::append(db, actor, QStringLiteral("channel.picture"), subject(id),
                                       QStringLiteral("%1 bytes").arg(pictures.size()), e);
    });
    return done.isOk() ? get(id, links) : done;
}

NxAdminResult NxAdminChannels::addStations(QList<NxCloudCategoryChannels::NewChannel> stations, const QString& actor,
                                           int* added) const
{
    *added = 0;
    return m_store.change(kCatalogue, [&](QSqlDatabase& db, QString* e, NxAdminResult* result) {
        qint64 root = 0;
        if (!categoryExists(db, kStations, e, result) || !NxCloudCategoryChannels::root(db, kStations, &root, e)
            || !NxCloudCategoryChannels::insert(db, root, kAtTheEnd, &stations, e))
            return false;
        *added = stations.size();
        return NxCloudAuditLog::append(db, actor, QStringLiteral("stations.import"), kStations,
                                       QStringLiteral("%1 stations").arg(stations.size()), e);
    });
}

QJsonObject NxAdminChannels::toJson(const NxCloudCategoryChannels::Channel& channel, const NxCloudLinkResolver& links)
{
    QJsonObject pictures;
    for (auto it = channel.pictures.begin(); it != channel.pictures.end(); ++it)
        pictures.insert(it.key(), links.pictureUrl(it.value()));
    return QJsonObject{{QStringLiteral("id"), channel.id},
                       {QStringLiteral("category"), channel.category},
                       {QStringLiteral("name"), channel.name},
                       {QStringLiteral("introduction"), channel.introduction},
                       {QStringLiteral("address"), channel.address},
                       {QStringLiteral("position"), channel.position},
                       {QStringLiteral("pictures"), pictures}};
}

bool NxAdminChannels::found(const QSqlDatabase& db, qint64 id, NxCloudCategoryChannels::Channel* channel,
                            QString* error, NxAdminResult* result)
{
    bool exists = false;
    if (!NxCloudCategoryChannels::find(db, id, channel, &exists, error))
        return false;
    if (!exists)
        *result = NxAdminResult::fail(404, QStringLiteral("no channel %1").arg(id));
    return exists;
}

bool NxAdminChannels::categoryExists(const QSqlDatabase& db, const QString& id, QString* error, NxAdminResult* result)
{
    bool ok = false;
    const bool exists = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM categories WHERE category_id = ?"),
                                             {id}, 0, error, &ok).toInt() > 0;
    if (ok && !exists)
        *result = NxAdminResult::fail(404, QStringLiteral("no category %1").arg(id));
    return ok && exists;
}
