#include "NxCloudChannelTable.h"

#include "NxCloudChannelForest.h"
#include "NxCloudColumnMap.h"
#include "NxCloudQuery.h"

namespace {
const QString kImages = QStringLiteral("images");
const QString kChildren = QStringLiteral("children");

QString prefixed(const QStringList& columns, const QString& prefix)
{
    QStringList out;
    for (const QString& column : columns)
        out.append(prefix + column);
    return out.join(QStringLiteral(", "));
}

QString listFilter(const QString& alias, const QString& teacherId)
{
    return QStringLiteral(" WHERE %1list = ?").arg(alias)
        + (teacherId.isEmpty() ? QString() : QStringLiteral(" AND %1teacher_id = ?").arg(alias));
}

QVariantList listValues(const QString& list, const QString& teacherId)
{
    return teacherId.isEmpty() ? QVariantList{list} : QVariantList{list, teacherId};
}
}

NxCloudChannelTable::Owner NxCloudChannelTable::category(const QString& categoryId)
{
    return Owner{List::Category, categoryId, QString()};
}

NxCloudChannelTable::Owner NxCloudChannelTable::offered()
{
    return Owner{List::Offered, QString(), QString()};
}

NxCloudChannelTable::Owner NxCloudChannelTable::own(const QString& teacherId)
{
    return Owner{List::Own, QString(), teacherId};
}

QString NxCloudChannelTable::name(List list)
{
    switch (list) {
    case List::Category:
        return QStringLiteral("category");
    case List::Offered:
        return QStringLiteral("offered");
    case List::Own:
        break;
    }
    return QStringLiteral("own");
}

NxCloudChannelTable::NxCloudChannelTable(const QSqlDatabase& db)
{
    const QStringList channelColumns = NxCloudColumnMap::channel().columnNames();
    const QStringList imageColumns = NxCloudColumnMap::image().columnNames();
    m_channel = std::make_unique<NxCloudQuery>(
        db, QStringLiteral("INSERT INTO channels (list, parent_row, category_id, teacher_id, mirror_of, position, %1)"
                           " VALUES (?, ?, ?, ?, ?, ?, %2) RETURNING row_id")
                .arg(channelColumns.join(QStringLiteral(", ")), NxCloudQuery::placeholders(channelColumns.size())));
    m_mirror = std::make_unique<NxCloudQuery>(
        db, QStringLiteral("INSERT INTO channels (list, position, mirror_of) VALUES ('offered', ?, ?)"));
    m_image = std::make_unique<NxCloudQuery>(
        db, QStringLiteral("INSERT INTO channel_images (channel_row, position, %1) VALUES (?, ?, %2)")
                .arg(imageColumns.join(QStringLiteral(", ")), NxCloudQuery::placeholders(imageColumns.size())));
}

NxCloudChannelTable::~NxCloudChannelTable() = default;

bool NxCloudChannelTable::insert(const Owner& owner, const QJsonObject& channel, int position, QString* error)
{
    return insertRow(owner, QVariant(QVariant::LongLong), channel, position, error);
}

bool NxCloudChannelTable::insertOffered(const QJsonArray& groups, const QJsonObject& categories, QString* error)
{
    for (int i = 0; i < groups.size(); ++i) {
        const QJsonObject group = groups.at(i).toObject();
        const QString id = group.value(QStringLiteral("channelId")).toString();
        const QJsonValue root = categories.value(id).toObject().value(QStringLiteral("data"));
        bool done = false;
        if (root == QJsonValue(group))
            done = m_mirror->exec({i, id}, error);
        else if (follows(group, root.toObject()))
            done = insertRow(offered(), QVariant(QVariant::LongLong), withoutChildren(group), i, error, id);
        else
            done = insert(offered(), group, i, error);
        if (!done)
            return false;
    }
    return true;
}

bool NxCloudChannelTable::follows(const QJsonObject& group, const QJsonObject& root)
{
    return !root.isEmpty() && group.contains(kChildren) && group.value(kChildren) == root.value(kChildren);
}

QJsonObject NxCloudChannelTable::withoutChildren(QJsonObject channel)
{
    channel.remove(kChildren);
    return channel;
}

bool NxCloudChannelTable::insertRow(const Owner& owner, const QVariant& parent, const QJsonObject& channel,
                                    int position, QString* error, const QString& mirrorOf)
{
    // The category is named on its root only: children go with their parent.
    const QVariant none(QVariant::String);
    const QVariant categoryId = parent.isNull() && owner.list == List::Category ? NxCloudQuery::text(owner.categoryId) : none;
    const QVariant teacherId = owner.list == List::Own ? NxCloudQuery::text(owner.teacherId) : none;
    const QVariant mirror = mirrorOf.isEmpty() ? none : QVariant(mirrorOf);
    QVariantList values{name(owner.list), parent, categoryId, teacherId, mirror, position};
    values += NxCloudColumnMap::channel().values(channel);
    if (!m_channel->exec(values, error))
        return false;
    if (!m_channel->next()) {
        *error = QStringLiteral("a stored channel got no row number");
        return false;
    }
    const qint64 row = m_channel->value(0).toLongLong();
    const QJsonValue images = channel.value(kImages);
    if (NxCloudColumnMap::holdsRows(images) && !insertImages(row, images.toArray(), error))
        return false;
    const QJsonValue children = channel.value(kChildren);
    if (!NxCloudColumnMap::holdsRows(children))
        return true;
    const QJsonArray list = children.toArray();
    for (int i = 0; i < list.size(); ++i) {
        if (!insertRow(owner, row, list.at(i).toObject(), i, error))
            return false;
    }
    return true;
}

bool NxCloudChannelTable::insertImages(qint64 row, const QJsonArray& images, QString* error)
{
    for (int i = 0; i < images.size(); ++i) {
        if (!m_image->exec(QVariantList{row, i} + NxCloudColumnMap::image().values(images.at(i).toObject()), error))
            return false;
    }
    return true;
}

bool NxCloudChannelTable::read(const QSqlDatabase& db, List list, const QString& teacherId,
                               QMap<QString, QJsonArray>* trees, QString* error)
{
    return readTrees(db, list, teacherId, {}, trees, error);
}

bool NxCloudChannelTable::readOffered(const QSqlDatabase& db, const QMap<QString, QJsonObject>& categories,
                                      QJsonArray* groups, QString* error)
{
    QMap<QString, QJsonArray> trees;
    if (!readTrees(db, List::Offered, QString(), categories, &trees, error))
        return false;
    *groups = trees.value(QString());
    return true;
}

bool NxCloudChannelTable::readTrees(const QSqlDatabase& db, List list, const QString& teacherId,
                                    const QMap<QString, QJsonObject>& categories, QMap<QString, QJsonArray>* trees,
                                    QString* error)
{
    NxCloudChannelForest forest;
    NxCloudQuery rows(db, QStringLiteral("SELECT row_id, parent_row, COALESCE(category_id, teacher_id, ''), mirror_of, %1"
                                         " FROM channels%2 ORDER BY position, row_id")
                              .arg(NxCloudColumnMap::channel().columnNames().join(QStringLiteral(", ")),
                                   listFilter(QString(), teacherId)));
    if (!rows.exec(listValues(name(list), teacherId), error))
        return false;
    while (rows.next()) {
        const QJsonObject channel = NxCloudColumnMap::channel().object(rows, 4);
        if (!rows.isNull(3) && channel.isEmpty())
            forest.addMirror(rows.value(2).toString(), rows.value(3).toString());
        else
            forest.addRow(rows.value(0).toLongLong(), rows.isNull(1) ? QVariant() : rows.value(1),
                          rows.value(2).toString(), channel, rows.isNull(3) ? QString() : rows.value(3).toString());
    }
    NxCloudQuery images(db, QStringLiteral("SELECT i.channel_row, %1 FROM channel_images i"
                                           " JOIN channels c ON c.row_id = i.channel_row%2"
                                           " ORDER BY i.channel_row, i.position")
                                .arg(prefixed(NxCloudColumnMap::image().columnNames(), QStringLiteral("i.")),
                                     listFilter(QStringLiteral("c."), teacherId)));
    if (!images.exec(listValues(name(list), teacherId), error))
        return false;
    while (images.next())
        forest.addImage(images.value(0).toLongLong(), NxCloudColumnMap::image().object(images, 1));
    *trees = forest.trees(categories);
    return true;
}
