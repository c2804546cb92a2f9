#include "NxCloudCategoryTable.h"

#include "NxCloudChannelTable.h"
#include "NxCloudColumnMap.h"
#include "NxCloudQuery.h"

namespace {
const QString kData = QStringLiteral("data");
}

bool NxCloudCategoryTable::write(const QSqlDatabase& db, const QJsonObject& categories,
                                 NxCloudChannelTable& channels, QString* error)
{
    const NxCloudColumnMap& map = NxCloudColumnMap::category();
    NxCloudQuery insert(db, QStringLiteral("INSERT INTO categories (category_id, position, %1) VALUES (?, ?, %2)")
                                .arg(map.columnNames().join(QStringLiteral(", ")),
                                     NxCloudQuery::placeholders(map.columnNames().size())));
    int position = 0;
    for (auto it = categories.begin(); it != categories.end(); ++it) {
        QJsonObject entry = it.value().toObject();
        const QJsonValue root = entry.value(kData);
        if (root.isObject())
            entry.remove(kData);
        if (!insert.exec(QVariantList{it.key(), position++} + map.values(entry), error))
            return false;
        if (root.isObject() && !channels.insert(NxCloudChannelTable::category(it.key()), root.toObject(), 0, error))
            return false;
    }
    return true;
}

bool NxCloudCategoryTable::read(const QSqlDatabase& db, QMap<QString, QJsonObject>* categories, QString* error)
{
    QMap<QString, QJsonArray> roots;
    if (!NxCloudChannelTable::read(db, NxCloudChannelTable::List::Category, QString(), &roots, error))
        return false;
    const NxCloudColumnMap& map = NxCloudColumnMap::category();
    NxCloudQuery rows(db, QStringLiteral("SELECT category_id, %1 FROM categories ORDER BY position")
                              .arg(map.columnNames().join(QStringLiteral(", "))));
    if (!rows.exec({}, error))
        return false;
    categories->clear();
    while (rows.next()) {
        const QString id = rows.value(0).toString();
        QJsonObject entry = map.object(rows, 1);
        if (roots.contains(id))
            entry.insert(kData, roots.value(id).first());
        categories->insert(id, entry);
    }
    return true;
}
