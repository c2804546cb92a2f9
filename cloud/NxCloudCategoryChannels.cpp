#include "NxCloudCategoryChannels.h"

#include "NxCloudBatchInsert.h"
#include "NxCloudNumbering.h"
#include "NxCloudQuery.h"

#include <QHash>
#include <limits>

namespace {
const QString kFields = QStringLiteral("c.row_id, c.number, c.name, c.introduction, c.address, c.position, c.parent_row");
const int kLast = std::numeric_limits<int>::max();

NxCloudCategoryChannels::Channel channelFrom(const NxCloudQuery& row, const QString& category)
{
    NxCloudCategoryChannels::Channel channel;
    channel.row = row.value(0).toLongLong();
    channel.id = row.value(1).toLongLong();
    channel.name = row.value(2).toString();
    channel.introduction = row.value(3).toString();
    channel.address = row.value(4).toString();
    channel.position = row.value(5).toInt();
    channel.parentRow = row.value(6).toLongLong();
    channel.category = category;
    return channel;
}

// LIKE with the user's text taken literally.
QString likePattern(const QString& search)
{
    QString escaped = search.toLower();
    escaped.replace(QLatin1Char('!'), QStringLiteral("!!"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("!%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("!_"));
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}
}

bool NxCloudCategoryChannels::root(const QSqlDatabase& db, const QString& categoryId, qint64* row, QString* error)
{
    const QString find = QStringLiteral("SELECT row_id FROM channels WHERE list = 'category' AND category_id = ?"
                                        " AND parent_row IS NULL ORDER BY position, row_id");
    bool ok = false;
    *row = NxCloudQuery::scalar(db, find, {categoryId}, 0, error, &ok).toLongLong();
    if (!ok || *row != 0)
        return ok;
    qint64 number = 0;
    if (!NxCloudNumbering::channelNumbers(db, 1, &number, error)
        || !NxCloudQuery::run(db, QStringLiteral("INSERT INTO channels (list, category_id, position, number, channel_id,"
                                                 " name, has_child, play_mode, channel_type)"
                                                 " VALUES ('category', ?, 0, ?, ?, ?, '1', '0', 'web')"),
                              {categoryId, number, categoryId, categoryId}, error))
        return false;
    *row = NxCloudQuery::scalar(db, find, {categoryId}, 0, error, &ok).toLongLong();
    return ok;
}

bool NxCloudCategoryChannels::count(const QSqlDatabase& db, qint64 parentRow, int* count, QString* error)
{
    bool ok = false;
    *count = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM channels WHERE parent_row = ?"), {parentRow},
                                  0, error, &ok).toInt();
    return ok;
}

bool NxCloudCategoryChannels::page(const QSqlDatabase& db, const QString& categoryId, const QString& search, int offset,
                                   int limit, Page* page, QString* error)
{
    *page = Page();
    QString filter = QStringLiteral(" WHERE c.parent_row = (SELECT row_id FROM channels WHERE list = 'category'"
                                    " AND category_id = ? AND parent_row IS NULL ORDER BY position, row_id LIMIT 1)");
    QVariantList values{categoryId};
    if (!search.isEmpty()) {
        filter += QStringLiteral(" AND (LOWER(c.name) LIKE ? ESCAPE '!' OR LOWER(c.address) LIKE ? ESCAPE '!')");
        values << likePattern(search) << likePattern(search);
    }
    bool ok = false;
    page->total = NxCloudQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM channels c") + filter, values, 0, error,
                                       &ok).toInt();
    if (!ok)
        return false;
    NxCloudQuery rows(db, QStringLiteral("SELECT %1 FROM channels c%2 ORDER BY c.position, c.row_id LIMIT ? OFFSET ?")
                              .arg(kFields, filter));
    if (!rows.exec(values + QVariantList{limit, offset}, error))
        return false;
    while (rows.next())
        page->channels.append(channelFrom(rows, categoryId));
    return readPictures(db, &page->channels, error);
}

bool NxCloudCategoryChannels::find(const QSqlDatabase& db, qint64 id, Channel* channel, bool* found, QString* error)
{
    NxCloudQuery row(db, QStringLiteral("SELECT %1, r.category_id FROM channels c JOIN channels r ON r.row_id = c.parent_row"
                                        " WHERE c.number = ? AND r.list = 'category' AND r.parent_row IS NULL"
                                        " AND r.category_id IS NOT NULL ORDER BY c.row_id LIMIT 1").arg(kFields));
    if (!row.exec({id}, error))
        return false;
    *found = row.next();
    if (!*found)
        return true;
    *channel = channelFrom(row, row.value(7).toString());
    QList<Channel> one{*channel};
    if (!readPictures(db, &one, error))
        return false;
    *channel = one.first();
    return true;
}

bool NxCloudCategoryChannels::insert(const QSqlDatabase& db, qint64 parentRow, int position,
                                     QList<NewChannel>* channels, QString* error)
{
    int siblings = 0;
    qint64 number = 0;
    qint64 imageNumber = 0;
    if (!count(db, parentRow, &siblings, error)
        || !NxCloudNumbering::channelNumbers(db, int(channels->size()), &number, error)
        || !NxCloudNumbering::imageNumbers(db, &imageNumber, error))
        return false;
    const int first = qBound(0, position, siblings);
    if (!shift(db, parentRow, first, kLast, int(channels->size()), error))
        return false;
    QList<QVariantList> rows;
    rows.reserve(channels->size());
    for (int i = 0; i < channels->size(); ++i) {
        NewChannel& channel = (*channels)[i];
        channel.id = number + i;
        rows.append(QVariantList{parentRow, first + i, channel.id, QStringLiteral("ch-%1").arg(channel.id),
                                 NxCloudQuery::text(channel.name), NxCloudQuery::text(channel.introduction),
                                 NxCloudQuery::text(channel.address)});
    }
    using Batch = NxCloudBatchInsert;
    static const Batch insertChannels(
        QStringLiteral("channels"),
        {{QStringLiteral("parent_row"), Batch::Type::Integer}, {QStringLiteral("position"), Batch::Type::Integer},
         {QStringLiteral("number"), Batch::Type::Integer}, {QStringLiteral("channel_id"), Batch::Type::Text},
         {QStringLiteral("name"), Batch::Type::Text}, {QStringLiteral("introduction"), Batch::Type::Text},
         {QStringLiteral("address"), Batch::Type::Text}},
        {{QStringLiteral("list"), QStringLiteral("'category'")}, {QStringLiteral("has_child"), QStringLiteral("'0'")},
         {QStringLiteral("play_mode"), QStringLiteral("'0'")}, {QStringLiteral("channel_type"), QStringLiteral("'web'")}});
    if (!insertChannels.run(db, rows, error))
        return false;
    // The new rows, by position, for their pictures.
    NxCloudQuery added(db, QStringLiteral("SELECT position, row_id FROM channels WHERE parent_row = ?"
                                          " AND position >= ? AND position < ? ORDER BY position"));
    if (!added.exec({parentRow, first, first + int(channels->size())}, error))
        return false;
    QList<QVariantList> images;
    while (added.next())
        addImageRows(added.value(1).toLongLong(), channels->at(added.value(0).toInt() - first).pictures, &imageNumber, &images);
    return insertImages(db, images, error);
}

bool NxCloudCategoryChannels::update(const QSqlDatabase& db, const Channel& channel, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("UPDATE channels SET name = ?, introduction = ?, address = ? WHERE row_id = ?"),
                             {NxCloudQuery::text(channel.name), NxCloudQuery::text(channel.introduction),
                              NxCloudQuery::text(channel.address), channel.row},
                             error);
}

bool NxCloudCategoryChannels::move(const QSqlDatabase& db, const Channel& channel, int position, QString* error)
{
    int siblings = 0;
    if (!count(db, channel.parentRow, &siblings, error))
        return false;
    const int to = qBound(0, position, siblings - 1);
    const int from = channel.position;
    const bool shifted = to > from ? shift(db, channel.parentRow, from + 1, to + 1, -1, error)
                                   : shift(db, channel.parentRow, to, from, 1, error);
    return shifted
        && NxCloudQuery::run(db, QStringLiteral("UPDATE channels SET position = ? WHERE row_id = ?"), {to, channel.row},
                             error);
}

bool NxCloudCategoryChannels::remove(const QSqlDatabase& db, const Channel& channel, QString* error)
{
    return NxCloudQuery::run(db, QStringLiteral("DELETE FROM channels WHERE row_id = ?"), {channel.row}, error)
        && shift(db, channel.parentRow, channel.position + 1, kLast, -1, error);
}

bool NxCloudCategoryChannels::replacePictures(const QSqlDatabase& db, qint64 row,
                                              const QList<QPair<QString, QString>>& pictures, QString* error)
{
    qint64 number = 0;
    QList<QVariantList> images;
    if (!NxCloudQuery::run(db, QStringLiteral("DELETE FROM channel_images WHERE channel_row = ?"), {row}, error)
        || !NxCloudNumbering::imageNumbers(db, &number, error))
        return false;
    addImageRows(row, pictures, &number, &images);
    return insertImages(db, images, error);
}

bool NxCloudCategoryChannels::shift(const QSqlDatabase& db, qint64 parentRow, int from, int to, int by, QString* error)
{
    return from >= to
        || NxCloudQuery::run(db, QStringLiteral("UPDATE channels SET position = position + ? WHERE parent_row = ?"
                                                " AND position >= ? AND position < ?"),
                             {by, parentRow, from, to}, error);
}

bool NxCloudCategoryChannels::insertImages(const QSqlDatabase& db, const QList<QVariantList>& rows, QString* error)
{
    using Batch = NxCloudBatchInsert;
    static const Batch insert(QStringLiteral("channel_images"),
                              {{QStringLiteral("channel_row"), Batch::Type::Integer},
                               {QStringLiteral("position"), Batch::Type::Integer},
                               {QStringLiteral("number"), Batch::Type::Integer},
                               {QStringLiteral("sort_order"), Batch::Type::Integer},
                               {QStringLiteral("kind"), Batch::Type::Text},
                               {QStringLiteral("url"), Batch::Type::Text}});
    return insert.run(db, rows, error);
}

void NxCloudCategoryChannels::addImageRows(qint64 row, const QList<QPair<QString, QString>>& pictures, qint64* number,
                                           QList<QVariantList>* rows)
{
    for (int i = 0; i < pictures.size(); ++i)
        rows->append(QVariantList{row, i, (*number)++, i, pictures.at(i).first, NxCloudQuery::text(pictures.at(i).second)});
}

bool NxCloudCategoryChannels::readPictures(const QSqlDatabase& db, QList<Channel>* channels, QString* error)
{
    if (channels->isEmpty())
        return true;
    QHash<qint64, int> index;
    QVariantList rows;
    for (int i = 0; i < channels->size(); ++i) {
        index.insert(channels->at(i).row, i);
        rows.append(channels->at(i).row);
    }
    NxCloudQuery images(db, QStringLiteral("SELECT channel_row, kind, url FROM channel_images WHERE channel_row IN (%1)"
                                           " ORDER BY channel_row, position").arg(NxCloudQuery::placeholders(rows.size())));
    if (!images.exec(rows, error))
        return false;
    while (images.next()) {
        Channel& channel = (*channels)[index.value(images.value(0).toLongLong())];
        if (!channel.pictures.contains(images.value(1).toString()))
            channel.pictures.insert(images.value(1).toString(), images.value(2).toString());
    }
    return true;
}
